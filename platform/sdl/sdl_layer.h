// State shared by the files of the SDL layer.
#pragma once

#include <SDL.h>

namespace plat::sdl {

struct Display {
    SDL_Window* window = nullptr;
    SDL_Renderer* renderer = nullptr;
    SDL_Texture* texture = nullptr;  // the picture, logicalWidth x logicalHeight
    int logicalWidth = 0;
    int logicalHeight = 0;
    bool fullScreen = false;
    int vsync = -1;  // what the renderer was last told; -1 not yet
    bool offscreen = false;  // the video driver has no display (dummy, offscreen)
};
extern Display display;

// Brings SDL's video (and event) subsystem up once. false when it cannot.
bool ensureVideo();
// The renderer and the streaming texture for display.window (accelerated,
// else software). false when neither can be made.
bool createPresentTargets();
void destroyPresentTargets();
// Makes the texture again after the renderer lost its device.
void recreateTexture();
// Closes the fonts the text service keeps open.
void closeFonts();

}  // namespace plat::sdl
