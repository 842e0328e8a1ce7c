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
    bool windowSurface = false;  // shown through the window's own pixels, not a renderer
    bool presented = false;      // a frame has been shown
};
extern Display display;

// Brings SDL's video (and event) subsystem up once. false when it cannot.
bool ensureVideo();
// What shows the picture in display.window: a renderer and its streaming
// texture when there is a GPU, else the window's own pixel buffer. false
// when nothing can be made.
bool createPresentTargets();
void destroyPresentTargets();
// Makes the texture again after the renderer lost its device.
void recreateTexture();
// The window was exposed: shows the last presented picture again at once,
// whether or not a frame follows.
void repaintPicture();
// Pointer positions: window pixels to picture pixels where we scale the
// picture ourselves (a renderer maps its events itself), and back.
void windowToPicture(int& x, int& y);
void pictureToWindow(int& x, int& y);
// Closes the fonts the text service keeps open.
void closeFonts();
// Starts opening the audio device on a thread of its own; plat::openAudio
// then takes the result (and plat::closeAudio waits for it). Without a
// thread to be had, plat::openAudio opens the device itself.
void startOpeningAudio();

}  // namespace plat::sdl
