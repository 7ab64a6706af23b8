// Cavernaut: the setup window first; "PLAY" then hands over to the game.
#include "launcher/setup_app.h"
#include "launcher/start_game.h"
#include "platform/prompter.h"

int main(int argc, char** argv)
{
    return RunSetup(argc, argv, platform::WxPrompter(), StartGame);
}
