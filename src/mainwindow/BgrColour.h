#pragma once

#include <QColor>

namespace kelvaro {

// Colour settings are kept as 0xBBGGRR (red in the low byte), the way the settings file has
// always written them: &HE0E0E0 is light grey, &HFF is red.
inline QColor colourFromBgr(qint32 bgr)
{
    return QColor(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

} // namespace kelvaro
