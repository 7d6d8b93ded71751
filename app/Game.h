// Game: the application object with start-up, the main loop and shutdown; the process-wide
// accessors through which the rest of the game reaches the single instances are in Globals.h.
#pragma once

#include "app/EventStamps.h"
#include "app/Globals.h"
#include "app/Settings.h"
#include "app/StepPacer.h"
#include "app/platform/PictureFit.h"

#include <SDL.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

struct SDL_Surface;
struct SDL_Window;
class RenderDevice;
class RoomManager;
class RunPlayer;
class RunRecorder;
class Sound;

class Game {
  public:
    // Makes this the process-wide game, with its sound service (silent until run starts it).
    Game();
    // Runs shutdown.
    ~Game();
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;

    // The settings this game starts with and keeps, and their file ("" when they are not kept).
    // They are written back when they changed (at once for a switch of the full screen, else at
    // shutdown), or always when `rewrite` is set (a damaged file). Before init; without it the
    // game starts with the defaults and keeps nothing.
    void keepSettings(const Settings& settings, const std::string& path, bool rewrite);
    Settings& getSettings() { return settings; }
    // Keeps the language the player chose (its code) in the settings file.
    void keepLanguage(const char* code);

    // Start-up in its fixed order; shows a message box and returns false on a fatal failure.
    // The picture is width x height; the window has the settings' size and may be resized, the
    // picture scaled to fit it. The pack and the score table are the working directory's unless
    // other paths are given.
    bool init(std::uint32_t width, std::uint32_t height, const char* packPath = "data.zxp",
              const char* scorePath = "scoreboard.zxs");
    // Records every run the player plays into folder ("" keeps no files), for game version.
    // Before init.
    void recordRuns(const std::string& folder, const std::string& version);
    // Plays a recorded run back instead of the player's: the game room starts the run with its
    // seed and its input, at once or, before init, at its end. In a window (--replay) Escape ends
    // the game, F or a pad button plays four times as fast; playBackUnseen (--verify-replay) runs
    // it to its end as fast as it can, drawing nothing.
    void playBack(RunPlayer* player);
    void playBackUnseen();
    // Paced (the default), the game updates sixty times a second whatever the display's rate;
    // unpaced, each turn runs one update and waits for nothing (tests, tools, verification).
    void setPaced(bool on) { paced = on; }

    // The room shown first (a RoomId): the menu unless set before init.
    void setFirstRoom(int room) { firstRoom = room; }

    // The main loop: turns while running; the sound starts after the first frame.
    void run();
    // One turn of the main loop: every pending event, the updates due (StepPacer: on a 60 Hz
    // display one; none while the next is not due, when the turn waits for it instead), one
    // frame when anything was updated, then the sound's turn (see Sound::update). beforePresent,
    // when given, runs after the room has drawn and before the frame is presented.
    void turn(const std::function<void()>& beforePresent = {});
    // One polled event: a quit event stops the loop after this turn (unless it follows the
    // window's close and the current room keeps the game open), M mutes or unmutes, F11
    // and Alt+Enter switch the full screen; what the rooms receive of it (EventGate) waits for
    // the next update.
    void handleEvent(SDL_Event* event);
    // One update: the events waiting for it (or a replay's) reach the room, which then steps,
    // and the game clock moves on.
    void update();
    // One frame: begin, the room's draw, beforePresent (when given), end and present.
    void render(const std::function<void()>& beforePresent = {});
    // Ends the loop after the current turn.
    void quit();
    // Teardown in its fixed order; safe after a failed or partial start-up.
    void shutdown();

    bool isRunning() const { return running; }
    SDL_Window* getWindow() const { return window; }

    // The picture point under the mouse (SDL_GetMouseState mapped through the window's fit).
    void mouseInPicture(int& x, int& y) const;
    // Switches between the window and the full screen at the desktop's resolution.
    void toggleFullScreen();

  private:
    // Where the picture stands in the window.
    PictureFit windowFit() const;
    // Maps the window coordinates of a mouse event to the picture's.
    void mapMouse(SDL_Event* event) const;
    // Keeps what happens to the window in the settings: its size while it is a plain window.
    void noteWindow(const SDL_Event* event);
    // Writes the settings when they differ from the file's (or the file must be rewritten).
    void saveSettingsIfChanged();

    // Gives the window the icon from the pack's "icon.bmp"; no icon when it is missing or bad.
    void loadIcon();
    // Puts the game clock at the recorded run's start and opens the game room for it.
    void startPlayback();
    // Hands the room the events waiting for the update about to run, or the replay's.
    void deliverEvents();
    // The replay viewer's keys and pad buttons; true when the event was one of them.
    bool controlReplay(const SDL_Event& event);

    SDL_Window* window = nullptr;
    SDL_Surface* icon = nullptr;
    bool iconAsked = false; // the icon is looked for after the first frame
    RenderDevice* renderDevice = nullptr;
    RoomManager* roomManager = nullptr;
    Sound* sound = nullptr;
    bool running = false;
    Settings settings;
    Settings savedSettings;   // as the settings file holds them
    std::string settingsPath; // "" when the settings are not kept
    bool rewriteSettings = false;

    bool paced = true;
    StepPacer pacer;
    EventStamps stamps;
    std::vector<SDL_Event> pending; // for the rooms, at the next update
    RunRecorder* recorder = nullptr;
    RunPlayer* player = nullptr;
    int replaySpeed = 1;     // updates per update due, in the replay viewer
    int firstRoom = 0;       // RoomMenu
    bool closeAsked = false; // the window's close came, the quit it brings is yet to come
};
