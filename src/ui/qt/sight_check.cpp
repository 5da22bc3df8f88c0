#include "ui/qt/sight_check.h"

#include <QEvent>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <utility>

namespace kalvoro::qt {

namespace {

constexpr std::chrono::milliseconds kDelay{500};

}  // namespace

void BringForward(QWidget& window) {
    window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
    window.show();
    window.raise();
    window.activateWindow();
}

SightCheck::SightCheck(QWidget& window) : QObject(&window), window_(window) {
    window.installEventFilter(this);
    delay_.setSingleShot(true);
    connect(&delay_, &QTimer::timeout, this, &SightCheck::Check);
    delay_.start(kDelay);
}

bool SightCheck::eventFilter(QObject*, QEvent* event) {
    if (event->type() == QEvent::WindowActivate) {
        activated_ = true;
    }
    return false;
}

bool SightCheck::InSight() const {
    const QWindow* handle = window_.windowHandle();
    return window_.isVisible() && !window_.isMinimized() && handle != nullptr &&
           handle->isExposed() && activated_;
}

void SightCheck::Check() {
    if (window_.isHidden() || InSight()) {
        return;
    }
    if (!std::exchange(broughtForward_, true)) {
        BringForward(window_);
        delay_.start(kDelay);
        return;
    }
    emit OutOfSight();
}

}  // namespace kalvoro::qt
