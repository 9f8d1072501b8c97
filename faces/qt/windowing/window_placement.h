#pragma once
// Where a window opened from another one goes: it belongs to its opener (a transient window of
// it, so it stays in front of it and takes input even while the opener runs a modal loop), and it
// opens centred on it.

#include <QWidget>

namespace qtgui {

// Makes `window` a window of its own that belongs to `owner`: a dialog when `modal` (modal over
// its owner only), else an ordinary window. Without an owner it stands alone and is not modal
// for Qt (a modal showing is still the windowing layer's loop).
void BelongTo(QWidget& window, QWidget* owner, bool modal);

// Moves `window` so that it is centred on `owner`, inside the screen the owner is on.
void CentreOn(QWidget& window, const QWidget& owner);

}  // namespace qtgui
