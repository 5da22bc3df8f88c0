#include "ui/qt/window_icon_host.h"

#include <QEvent>
#include <QWidget>

namespace kalvoro::qt {

WindowIconHost::WindowIconHost(QWidget& mainWindow, MouseMessageSink sink)
    : mainWindow_(mainWindow), sink_(std::move(sink)) {
    mainWindow_.installEventFilter(this);
}

void WindowIconHost::Add(const IconRecord&) {
    added_ = true;
}

void WindowIconHost::Delete() {
    added_ = false;
}

void WindowIconHost::HideMainWindow() {
    mainWindow_.showMinimized();
}

void WindowIconHost::HideFromTaskList() {
    // The taskbar entry is the only way back to the minimised window.
}

bool WindowIconHost::eventFilter(QObject* watched, QEvent* event) {
    if (added_ && watched == &mainWindow_ && event->type() == QEvent::ContextMenu) {
        sink_(kRightButtonUp);
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace kalvoro::qt
