// The session: getenv and the password database.
// Depends on: environment.h, the C library, POSIX.
#include "platform/environment.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

const char* environmentVariable(const char* name) { return std::getenv(name); }

std::string accountName()
{
    const struct passwd* account = getpwuid(getuid());
    if (account && account->pw_name) return account->pw_name;
    return "";
}

bool outputIsTerminal() { return isatty(STDOUT_FILENO) != 0; }
