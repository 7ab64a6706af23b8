// The words of the title screen's scroller and of the two credit rolls (the title screen's
// information page and the ending after a pack), kept in one place so both rolls agree.
#pragma once

#include <cstddef>

namespace credits
{

// One line, scrolled along the top of the title screen.
constexpr char kGreeting[] =
    "WELCOME TO CAVERNAUT, PILOT!   THE CAVES ARE DARK, THE FUEL IS SHORT AND THE TURRETS "
    "NEVER SLEEP.   KEEP YOUR SHIELD UP, LAND SOFTLY, BRING EVERY SPACEMAN HOME AND LEAVE NOT "
    "ONE REACTOR STANDING.   BUILT WITH LINES, GLOW AND STUBBORN GRAVITY BY THE CAVERNAUT "
    "CREW.   MAKE YOUR OWN SECTORS WITH NAUTED AND SHARE THEM WITH FRIENDS.   SEE YOU DOWN "
    "THERE, FLY SAFE!!!";
static_assert(sizeof kGreeting - 1 == 363, "the scroller's timing is laid out for 363 characters");

// Along the bottom of the title screen, in grey.
constexpr char kBottomLine[] = "MOUSE USERS: HIT TAB TO TOGGLE MOUSE CONTROL - WHEELUP OR "
                               "WHEELDOWN TO GET AROUND INTERFACE"
                               "                            "
                               "EXTRA LIFE AT 10,000 THEN EVERY 20,000";

constexpr char kCodingTitle[] = "CODING GFX & SOUND";
constexpr char kAuthor[] = "J-7AX";
constexpr char kTestersTitle[] = "THANKS BETA-TESTERS";
constexpr char kForgot[] = "ANYONE I FORGOT...";

// The test pilots' call signs.
constexpr std::size_t kTesterCount = 21;
constexpr const char* kTesters[kTesterCount] = {
    "CAVE OWL",     "LOW ORBIT",    "SHIELD BASH", "NITRO NIB",    "GRAVITY GRUB", "PAD HUGGER",
    "WALL SCRAPER", "TURRET TAMER", "POD PILFER",  "STAR DRIFTER", "DEEP SECTOR",  "LASER LINT",
    "THRUST PUP",   "ECHO CAVE",    "NIGHT SHIFT", "DUST DEVIL",   "BLUE TANKER",  "RED ALERT",
    "GLOW WORM",    "SOFT LANDING", "LAST BEACON",
};

// The ending's closing note; the last line is fixed.
constexpr std::size_t kClosingCount = 8;
constexpr const char* kClosing[kClosingCount] = {
    "THANK YOU FOR FLYING.",
    "EVERY CAVE IN THIS PACK",
    "WAS DRAWN LINE BY LINE",
    "IN NAUTED.",
    "IF YOU BUILD SECTORS OF YOUR OWN,",
    "MAKE THEM HARD",
    "AND KEEP THE FUEL PODS FEW.",
    "SEE YOU NEXT TIME.",
};

constexpr char kSignOff[] = "J-7AX '06.";

} // namespace credits
