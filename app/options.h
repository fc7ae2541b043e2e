// Command-line options of the game.
// Depends on: nothing.
#pragma once
#include <string>
#include <vector>

struct Options {
    bool help = false;
    bool version = false;
    bool windowed = false;
    bool hasName = false;
    std::string name;
    std::string dataDir;
    float fixedStepMs = 0.0f;  // 0: the clock reads wall time
    std::string scriptPath;
    std::string tracePath;
    std::vector<std::string> passOn;  // arguments left for GLUT (program name first)
};

extern const char* const USAGE_TEXT;

// Returns false with a one-line reason in error when the command line is wrong.
bool parseOptions(int argc, char** argv, Options& options, std::string& error);
