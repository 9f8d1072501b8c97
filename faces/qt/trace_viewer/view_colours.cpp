#include <faces/qt/trace_viewer/view_colours.h>

#include <algorithm>
#include <cmath>

namespace qtgui {

namespace {

constexpr double kReadableContrast = 4.5;

double Channel(double value) {
    value /= 255.0;
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& colour) {
    return 0.2126 * Channel(colour.red()) + 0.7152 * Channel(colour.green()) +
           0.0722 * Channel(colour.blue());
}

double Contrast(const QColor& a, const QColor& b) {
    const double first = Luminance(a);
    const double second = Luminance(b);
    return (std::max(first, second) + 0.05) / (std::min(first, second) + 0.05);
}

bool IsDark(const QColor& colour) { return Luminance(colour) < 0.2; }

}  // namespace

QColor Mix(const QColor& a, const QColor& b, double share) {
    auto mix = [share](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * share)); };
    return QColor(mix(a.red(), b.red()), mix(a.green(), b.green()), mix(a.blue(), b.blue()));
}

QColor Readable(const QColor& wanted, const QColor& ground) {
    if (!wanted.isValid() || Contrast(wanted, ground) >= kReadableContrast) return wanted;
    const QColor goal = IsDark(ground) ? QColor(Qt::white) : QColor(Qt::black);
    // Step towards white or black: the hue stays recognisable as long as possible.
    for (int step = 1; step <= 10; ++step) {
        const QColor candidate = Mix(wanted, goal, step / 10.0);
        if (Contrast(candidate, ground) >= kReadableContrast) return candidate;
    }
    return goal;
}

ViewColours ColoursOf(const QPalette& palette) {
    const QColor base = palette.color(QPalette::Base);
    const QColor window = palette.color(QPalette::Window);
    const QColor highlight = palette.color(QPalette::Highlight);
    ViewColours colours;
    colours.titleGround = Mix(window, highlight, 0.18);
    colours.nodeGround = Mix(base, highlight, 0.14);
    colours.totalGround = Mix(base, QColor(255, 214, 64), IsDark(base) ? 0.22 : 0.25);
    return colours;
}

QPalette WithGround(QPalette palette, const QColor& ground) {
    if (!ground.isValid()) return palette;
    const QColor text = Readable(palette.color(QPalette::Text), ground);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, ground);
        palette.setColor(group, QPalette::AlternateBase, Mix(ground, text, 0.06));
        palette.setColor(group, QPalette::Text, text);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, ground);
    palette.setColor(QPalette::Disabled, QPalette::Text, Mix(ground, text, 0.5));
    return palette;
}

}  // namespace qtgui
