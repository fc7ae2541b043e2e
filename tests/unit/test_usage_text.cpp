// --help and the manual page come from one table: every option they list is one the game
// takes, every script event they list is one the script reader takes, and both show all of
// them.
#include "app/options.h"
#include "app/script.h"

#include <gtest/gtest.h>

#include <sstream>

namespace test_usage_text {

// The roff form of text as the manual page writes it: minus signs escaped.
std::string roffed(const std::string& text)
{
    std::string out;
    for (char c : text) out += c == '-' ? std::string("\\-") : std::string(1, c);
    return out;
}

// A script line for a documented event, with a sample for each placeholder.
std::string sampleLine(std::string term)
{
    const std::pair<const char*, const char*> samples[] = {
        {"FRAME", "3"}, {"KEY", "w"},      {"BUTTON", "left"}, {"X Y", "10 20"},
        {"PATH", "s.png"}, {"MS", "2000"}, {"W H", "640 480"}, {"NAME", "ann"},
        {"BYTES", "%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00"
                  "%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00"
                  "%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00%00"}};
    for (const auto& s : samples) {
        size_t at = term.find(s.first);
        if (at != std::string::npos) term.replace(at, std::string(s.first).size(), s.second);
    }
    return term + "\n";
}

TEST(UsageText, EveryDocumentedOptionIsTakenByTheGame)
{
    ASSERT_GT(OPTION_HELP_COUNT, 8);
    for (int i = 0; i < OPTION_HELP_COUNT; ++i) {
        const OptionHelp& option = OPTION_HELP[i];
        std::vector<std::string> args = {"kerbrunner", option.name};
        if (*option.argument) args.push_back(std::string(option.argument) == "MS" ? "20" : "x");
        std::vector<char*> argv;
        for (std::string& a : args) argv.push_back(&a[0]);
        Options options;
        std::string error;
        EXPECT_TRUE(parseOptions((int)argv.size(), argv.data(), options, error))
            << option.name << ": " << error;
        EXPECT_EQ(options.passOn.size(), 1u) << option.name << " was left for GLUT";
    }
}

TEST(UsageText, LoginNameAsksForNoName)
{
    char program[] = "kerbrunner", flag[] = "--login-name";
    char* argv[] = {program, flag};
    Options options;
    std::string error;
    ASSERT_TRUE(parseOptions(2, argv, options, error)) << error;
    EXPECT_TRUE(options.loginName);
    EXPECT_FALSE(options.hasName);
}

TEST(UsageText, EveryDocumentedScriptEventIsTakenByTheScriptReader)
{
    ASSERT_GE(SCRIPT_EVENT_HELP_COUNT, 7);
    for (int i = 0; i < SCRIPT_EVENT_HELP_COUNT; ++i) {
        // Notations such as "char:N" describe parts of a line, not a line.
        if (std::string(SCRIPT_EVENT_HELP[i].term).find(':') != std::string::npos) continue;
        std::vector<ScriptEvent> events;
        std::string error, line = sampleLine(SCRIPT_EVENT_HELP[i].term);
        EXPECT_TRUE(parseScript(line, "sample", events, error)) << line << error;
        EXPECT_EQ(events.size(), 1u) << line;
    }
}

TEST(UsageText, HelpAndManualPageListTheSameOptionsEventsAndFields)
{
    const std::string help = usageText();
    const std::string page = manualPage("9.8.7");
    for (int i = 0; i < OPTION_HELP_COUNT; ++i) {
        const OptionHelp& o = OPTION_HELP[i];
        std::string term = std::string(o.name) + (*o.argument ? " " : "") + o.argument;
        EXPECT_NE(help.find("  " + term + " "), std::string::npos) << term;
        EXPECT_NE(page.find(roffed(o.name)), std::string::npos) << o.name;
    }
    for (int i = 0; i < SCRIPT_EVENT_HELP_COUNT; ++i) {
        EXPECT_NE(help.find(SCRIPT_EVENT_HELP[i].term), std::string::npos);
        EXPECT_NE(page.find(".B " + roffed(SCRIPT_EVENT_HELP[i].term) + "\n"), std::string::npos);
    }
    for (int i = 0; i < TRACE_FIELD_HELP_COUNT; ++i)
        EXPECT_NE(page.find(".B " + roffed(TRACE_FIELD_HELP[i].term) + "\n"), std::string::npos);
    EXPECT_EQ(page.rfind(".TH KERBRUNNER 6 ", 0), 0u);
    EXPECT_NE(page.find("Kerb Runner 9.8.7"), std::string::npos);
}

TEST(UsageText, HelpLinesFitAConsoleAndManualLinesStartSafely)
{
    std::istringstream help(usageText());
    for (std::string line; std::getline(help, line);) EXPECT_LE(line.size(), 79u) << line;

    std::istringstream page(manualPage("1.0"));
    for (std::string line; std::getline(page, line);) {
        // A line of text starting with a dot or a quote would be taken for a request; a bare
        // minus sign would render as a hyphen.
        if (line.empty()) continue;
        if (line[0] == '.') {
            EXPECT_TRUE(isupper((unsigned char)line[1])) << line;
        }
        EXPECT_NE(line[0], '\'') << line;
        for (size_t i = 0; i < line.size(); ++i) {
            if (line[i] != '-') continue;
            EXPECT_TRUE(i > 0 && line[i - 1] == '\\') << line;
        }
    }
}

TEST(UsageText, AToolsHelpBecomesAManualPage)
{
    const std::string help =
        "usage: tool COMMAND ...\n"
        "\n"
        "  run FILE [--fast]  run FILE\n"
        "                     and more about it\n"
        "  --help             show this text\n"
        "\n"
        ".dotted text stays text\n";
    const std::string page = manualPageFromHelp(help, "tool", "1", "does things", "2.0");
    EXPECT_EQ(page,
              ".TH TOOL 1 \"\" \"Kerb Runner 2.0\"\n"
              ".SH NAME\ntool \\- does things\n"
              ".SH SYNOPSIS\ntool COMMAND ...\n.SH DESCRIPTION\n"
              ".TP\n.B run FILE [\\-\\-fast]\nrun FILE\nand more about it\n"
              ".TP\n.B \\-\\-help\nshow this text\n"
              ".PP\n"
              "\\&.dotted text stays text\n");
}

}  // namespace test_usage_text
