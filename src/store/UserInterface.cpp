#include "UserInterface.h"

#include <cstdio>

namespace kelvaro {

UserInterface::Answer ConsoleUserInterface::messageBox(const QString& text, int style,
                                                       const QString&)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    const int buttons = style & 7;
    if (buttons == YesNo)
        return Answer::No;
    if (buttons == RetryCancel || buttons == OkCancel)
        return Answer::Cancel;
    return Answer::Ok;
}

void ConsoleUserInterface::showNotice(const QString& text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
}

} // namespace kelvaro
