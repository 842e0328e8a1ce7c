// Linked with every object of one layer's library and only the layers below
// it: the program exists only if the layer needs nothing from above.
int main() { return 0; }
