// Engine: the game's single owner object. One instance per run; all game code reaches it
// through `gEngine`. The public constructor with the seven arguments builds the object,
// starts it (video, image library, sound, every resource, joysticks, controls, splash) and
// runs the game to its end; the destructor shuts it down. For tests the same work is split:
// construct with `EngineSettings` (members and flags only), `Start`, then `Run`, `RunPass`
// or `Step`, with `headless` set so that no window is opened and GL is never touched.
//
// Level data and its lifetime: `walls` is filled once per map load and never resized
// afterwards, so pointers into it (wall grid cells, carried walls of rotators and platforms)
// stay valid until the next `ClearLevel`. Entities are owned by `entities`; they are deleted
// only by `ReapDeadEntities` (after every other entity has forgotten them) and by
// `ClearLevel`, never in the middle of a pass over the list.
//
// Members are declared so that they are destroyed in the shutdown order: effects, packs,
// line models from the last slot down, the second font, the main font, the player ship, the
// entity list and the input states last. GL objects are released by the shutdown before SDL goes.
#pragma once

#include "engine/font.h"
#include "engine/frame_timer.h"
#include "engine/geometry.h"
#include "engine/input.h"
#include "engine/line_model.h"
#include "engine/sound.h"
#include "engine/wall_grid.h"
#include "game/effects.h"
#include "game/player_ship.h"

#include <list>
#include <string>
#include <vector>

class Entity;
struct VideoEvent;

enum GameState : int
{
    FrontEnd = 0,
    Playing = 1,
    Splash = 2,
    GameOver = 3,
    Continue = 4,
    NewHiscore = 5,
    Credits = 6,
};
constexpr int kGameStateCount = 7;

// Line-model slots; the display list of slot n is the name n.
namespace model
{
enum : int
{
    Apocalypse = 0,
    BlueTurret,
    Fuel,
    Player,
    Shield,
    ForceField,
    Button,
    ButtonIn,
    PlrBullet,
    Bullet,
    SpaceMan01,
    SpaceMan02,
    SpaceMan01Mirrored,
    SpaceMan02Mirrored,
    SpaceMan03,
    SpaceMan04,
    SpaceMan03Mirrored,
    SpaceMan04Mirrored,
    Generator,
    BlueTank,
    RedTurret,
    Seeker,
    DepthCharge,
    Pebbleware,
    Tree,
    Boulder,
    BoulderLarge,
    VolDebris1,
    VolDebris2,
    VolDebris3,
    GameOver,
    Ufo,
    GreenTurret,
    Wasp,
    Beacon1,
    Beacon2,
    Beacon3,
    Count
};
} // namespace model

// Sample slots.
namespace sfx
{
enum : int
{
    Phazer = 0,
    Explode,
    Shield,
    Engine,
    Teleport,
    ShieldReflect,
    Explode2,
    StageReflect,
    EnemyShot,
    Pickup,
    Clock,
    Seeker,
    TeleportOut,
    Danger,
    UI,
    Beacon,
    ExtraLife,
    Reactorhit,
    Wasp,
    ButtonAccess,
    ButtonDenied,
    KillSpaceman,
    Count
};
} // namespace sfx

// Stream slots.
namespace music
{
enum : int
{
    Splash = 0,
    HiScore,
    Continue,
    Credits,
    Gameover,
    Count
};
} // namespace music

// Everything the constructor takes, plus the seams tests use.
struct EngineSettings
{
    int width = 640;
    int height = 480;
    bool fullscreen = false;
    bool vsync = false;
    bool showFps = false;
    std::string title = "Cavernaut";
    bool onlineScore = false;
    // Tests: no window, no GL calls; resources that need GL are not loaded.
    bool headless = false;
    // Tests: the clock of the frame timer (null: SDL's).
    TickSource ticks = nullptr;
};

// ---- The Engine's data, in groups ------------------------------------------------------

// The stage in memory. `walls` is filled once per map load and never resized afterwards, so
// pointers into it (wall grid cells, carried walls) stay valid until the next ClearLevel.
struct LevelData
{
    std::list<Entity*> entities; // owned; deleted by ReapDeadEntities and ClearLevel only
    char title[32] = {};
    char password[6] = {};
    int endTimer = 0;
    std::vector<Beam> walls;
    float minX = 0.0f, minY = 0.0f, maxX = 0.0f, maxY = 0.0f;
    WallGrid wallGrid; // empty (no cells) from construction, before any map load
};

struct StageProgress
{
    bool countdownActive = false;
    int generatorCount = 0;
    float shakeX = 0.0f, shakeY = 0.0f;
    float shakeTimer = 0.0f;
    float countdownSeconds = 0.0f;
    int lastCountdownSecond = 0;
    int stage = 1;
    int lives = 0;
    int score = 0;
    bool stageBonusPaid = false;
    int rescued = 0;
    bool packCompleted = false;
    int nextExtraLife = 10000;
};

// Stars of three layers; parallax anchors 0-2 are the first anchor of layers 1-3, 3-5 the
// second.
struct CameraView
{
    float camX = 0.0f, camY = 0.0f;
    float prevCamX = 0.0f, prevCamY = 0.0f;
    Vec2 stars[3][15];
    Vec2 anchors[6];
    Vec2 prevAnchors[6];
};

struct MenuState
{
    int menuItem = 0;
    int menuPage = 0;
    float blinkTimer = 0.0f;
    bool introSkip = false;      // the front end's intro runs faster while select is held
    float fireworksTimer = 0.0f; // the new-high-score screen's bursts
    // The hidden options.
    bool infiniteFuel = false;
    bool invincible = false;
    bool infiniteTime = false;
};

// Five names of 5 letters and a NUL, best first.
struct HighScoreTable
{
    char scoreNames[5][6] = {};
    int scores[5] = {};
    int scoreEntryIndex = 0;
};

// Declared so that the line models go first (last slot down), then the second font, then
// the main font.
struct Resources
{
    unsigned int beamTexture = 0;
    unsigned int logoTexture = 0;
    unsigned int displayListBase = 0; // slot n's display list is base + n
    Sample samples[sfx::Count];
    Stream streams[music::Count];
    Font font;  // the main font
    Font font2; // the second font, without shadow
    LineModel lineModels[model::Count];
};

struct PackList
{
    std::vector<std::string> packNames;
    int currentPack = 0;
    std::vector<std::vector<std::string>> rosters;
    std::vector<std::vector<std::string>> passwords;
};

// Emitters are deleted through Emitter's virtual destructor.
struct Effects
{
    std::list<Emitter*> emitters;
    std::list<ScorePopup> scorePopups;
    std::list<Projectile> playerShots;
    std::list<Projectile> enemyShots;
    std::list<DynamicBeam> dynamicBeams;
};

class Engine
{
public:
    // Builds, starts and runs the game; returns when it is over.
    Engine(int width, int height, bool fullscreen, bool vsync, bool showFps, const char* title,
           bool onlineScore);
    // Builds the members and stores the flags only.
    explicit Engine(const EngineSettings& settings);
    ~Engine();
    Engine(const Engine&) = delete;
    Engine& operator=(const Engine&) = delete;

    // --- start-up and shutdown ---
    // Video, image library, sound, resources, joysticks, controls, then ResetGame.
    // False when video or a resource failed; the game must then not run.
    bool Start();
    bool LoadResources();
    void InitImageLibrary();
    void BuildDisplayLists();
    void ResetGame();
    bool Started() const { return started; }
    bool VideoUp() const { return videoUp; }

    // --- main loop ---
    void Run();      // BeginRun, then passes until the quit flag is set
    void BeginRun(); // timer reset, empty accumulator
    void RunPass();  // one pass: tick, due steps, one frame
    void Step();     // one simulation step: events, mouse, Update, button ticks
    void Update();   // the current state's step and the ESC rules
    void Draw(float interpolation);
    float LastInterpolation() const { return lastInterpolation; }
    float Accumulator() const { return accumulator; }

    // --- state changes ---
    void EnterFrontEnd();
    void EnterGameOver();
    void EnterContinue();
    void EndGame();
    void StartCredits();
    void NewGame();
    void StartStage();

    // --- per-state routines (dispatched by Update and Draw) ---
    void UpdateFrontEnd();
    void DrawFrontEnd(float t);
    void DrawInfoPages(float t);
    void UpdatePlaying();
    void DrawPlaying(float t);
    void UpdateSplash();
    void DrawSplash(float t);
    void UpdateGameOver();
    void DrawGameOver(float t);
    void UpdateContinue();
    void DrawContinue(float t);
    void UpdateNewHiscore();
    void DrawNewHiscore(float t);
    void UpdateCredits();
    void DrawCredits(float t);

    // --- playing ---
    void UpdatePlayerBullets();
    void UpdateCamera();
    void DrawWorld(float t, float width);
    void DrawParticles(float t);
    void DrawHud(float t);
    // Updates every entity, in list order; entities appended during the pass (a turret's
    // seeker) are updated in the same pass. Then the dead are reaped.
    void UpdateEntities();
    // Every entity forgets `gone` (`DropDeadLinks`), then those are deleted.
    void ReapDeadEntities(const std::vector<const Entity*>& gone);

    // --- level (maps, bounds, wall grid, links, packs) ---
    bool LoadMap();
    void ComputeMapBounds();
    void BuildWallGrid();
    void ClearLevel();
    void LinkEntities();
    // Every entity that keeps pointers to other entities forgets the dead ones, and what
    // follows a dead entity (the beams of a force field) goes with it.
    void DropDeadLinks(const std::vector<const Entity*>& gone);
    bool LoadMapPacks();
    bool LoadStageRosters();
    bool FindStageByPassword();
    // The width by which things wrap around the map horizontally: maxX - minX, or 0 when
    // there is nothing to wrap (no walls, or bounds of no width). Never wrap by 0 or less.
    float MapWrapWidth() const;
    // The horizontal wrap of a moving thing: left of minX it moves right by the width, then
    // right of maxX it moves left by it; its previous x moves along. Nothing without a width.
    void WrapAroundMap(float& x, float& prevX) const;
    bool CollideWithWalls(const std::list<Circle>& circles, Vec2& normal) const
    {
        return level.wallGrid.CollideWithWalls(circles, normal);
    }
    bool FindWallsHit(const Circle& circle, std::list<const Beam*>& hit) const
    {
        return level.wallGrid.FindWallsHit(circle, hit);
    }

    // --- input (forwarded to `input`) ---
    void OnKey(int code, bool down) { input.OnKey(code, down); }
    void OnJoystickAxis(int axis, int value) { input.OnJoystickAxis(axis, value); }
    void OnTextInput(unsigned int unicode) { input.OnTextInput(unicode); }
    void TickButtons() { input.TickButtons(); }
    void SetBinding(int index, bool primary, int code) { input.SetBinding(index, primary, code); }
    void InitControls() { input.InitControls(); }
    void LoadOrSaveControls() { input.LoadOrSaveControls(); }

    // --- high scores ---
    void InitScores();
    void LoadOrSaveScores();
    void FetchOnlineScores();
    void SubmitOnlineScore(const char* name, int score);

    // ===== data =====
    // Start-up values (window size after clamping, the flags) and the test seams: the one
    // place they are kept.
    EngineSettings settings;

    // Input: buttons, bindings, capture, text entry (declared first: destroyed last).
    Input input;
    int mouseDx = 0, mouseDy = 0; // relative mouse motion of the last step

    // Run control and state.
    bool quit = false;
    bool paused = false;
    int totalSteps = 0;
    int stepsThisPass = 0;
    int gameState = Splash;
    float stateTimer = 0.0f; // seconds; what it counts depends on the state
    FrameTimer frameTimer;

    // The stage in memory: emptied by ClearLevel, filled by LoadMap.
    LevelData level;

    // The player's craft; never in the entity list.
    PlayerShip ship;

    // A game in progress: set by NewGame and StartStage.
    StageProgress progress;

    // Camera and background.
    CameraView camera;

    // Menus, pause menu and the hidden options: reset by ResetGame.
    MenuState menu;

    // The local high-score table.
    HighScoreTable hiscores;

    // Loaded once by LoadResources; sounds are released by ShutdownSound, not one by one.
    Resources res;

    // Map packs and their stage rosters.
    PackList packs;

    // Effects (owned): emptied by ClearLevel.
    Effects effects;

private:
    void ReleaseGlObjects();
    void HandleEvent(const VideoEvent& event);

    bool started = false;
    bool videoUp = false;
    bool imageLibraryUp = false;
    bool soundUp = false;
    float accumulator = 0.0f;
    float lastInterpolation = 0.0f;
};

// The one Engine of the run; set by its constructor before anything can need it.
extern Engine* gEngine;
