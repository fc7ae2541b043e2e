// The asset inspector: commands for people who make or replace the game's files.
// Depends on: nothing.
#pragma once

// Exit statuses of every command.
const int INSPECT_OK = 0;
const int INSPECT_PROBLEM = 1;
const int INSPECT_USAGE = 2;

// `bmp FILE [--ppm OUT]`: describes one picture as the game reads it.
int runBmpCommand(int argc, char** argv);
// `md2 FILE [--frame N]`: one model as the game reads it, as JSON.
int runMd2Command(int argc, char** argv);
// `check [DIR]`: every file the game reads from DIR, one line per problem.
int runCheckCommand(int argc, char** argv);
// `3ds FILE [--png OUT] [--textures DIR]...`: one scene file as the game reads it, as JSON;
// with --png also a preview picture drawn by the game's scene drawing.
int runSceneCommand(int argc, char** argv);
// `street --3ds OUT`: the street written as a 3DS scene.
int runStreetCommand(int argc, char** argv);
