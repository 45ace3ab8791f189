#pragma once

#include <QPoint>
#include <QRect>

namespace kelvaro {

// Positions and sizes in twips (1440 to the inch), the unit the settings file and the window
// layouts are written in, converted at the screen's logical resolution.
class Twips {
public:
    explicit Twips(qreal dotsPerInch) : m_dpi(dotsPerInch > 0 ? dotsPerInch : 96.0) {}

    int toPixels(int twips) const { return qRound(twips * m_dpi / 1440.0); }
    int fromPixels(int pixels) const { return qRound(pixels * 1440.0 / m_dpi); }
    // Edges are converted one by one, so neighbouring controls keep meeting where they met.
    QRect rect(int left, int top, int width, int height) const
    {
        const int x = toPixels(left), y = toPixels(top);
        return QRect(x, y, toPixels(left + width) - x, toPixels(top + height) - y);
    }
    QSize size(int width, int height) const { return {toPixels(width), toPixels(height)}; }
    QPoint point(int left, int top) const { return {toPixels(left), toPixels(top)}; }

private:
    qreal m_dpi;
};

} // namespace kelvaro
