#include <faces/qt/windowing/window_placement.h>

#include <QScreen>

#include <algorithm>

namespace qtgui {

namespace {

// A window that belongs to another is a dialog for the window system, since only those are kept
// in front of their owner (X11's WM_TRANSIENT_FOR); a modeless one keeps the buttons of a window.
Qt::WindowFlags FlagsFor(bool owned, bool modal) {
    if (!owned) return Qt::Window;
    if (modal) return Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    return Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
           Qt::WindowMinMaxButtonsHint | Qt::WindowCloseButtonHint;
}

}  // namespace

void BelongTo(QWidget& window, QWidget* owner, bool modal) {
    const Qt::WindowFlags flags = FlagsFor(owner != nullptr, modal);
    const Qt::WindowModality modality = owner && modal ? Qt::WindowModal : Qt::NonModal;
    // Qt adds hints of its own to the flags: only a missing one calls for a change.
    if (window.parentWidget() != owner || (window.windowFlags() & flags) != flags) {
        window.setParent(owner, flags);
    }
    if (window.windowModality() != modality) window.setWindowModality(modality);
}

void CentreOn(QWidget& window, const QWidget& owner) {
    const QRect ownerFrame = owner.frameGeometry();
    // Before its first showing a window has no frame yet: its size stands for it.
    const QSize size = window.frameGeometry().size().expandedTo(window.size());
    QPoint topLeft = ownerFrame.center() - QPoint(size.width() / 2, size.height() / 2);
    if (const QScreen* screen = owner.screen()) {
        const QRect room = screen->availableGeometry();
        topLeft.setX(std::clamp(topLeft.x(), room.left(),
                                std::max(room.left(), room.right() - size.width())));
        topLeft.setY(std::clamp(topLeft.y(), room.top(),
                                std::max(room.top(), room.bottom() - size.height())));
    }
    window.move(topLeft);
}

}  // namespace qtgui
