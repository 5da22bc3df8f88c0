#include "ui/qt/main_window.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>

#include "ui/form1_bindings.h"
#include "ui/program.h"
#include "ui/qt/core_events.h"
#include "ui/qt/layout_widgets.h"

namespace kalvoro::qt {

namespace {

using layout::ControlId;

struct Text {
    ControlId control;
    std::string_view (Form1::*text)() const;
};

constexpr Text kTexts[] = {
    {ControlId::TxtHeure, &Form1::TxtHeure},
    {ControlId::TxTChoix, &Form1::TxTChoix},
    {ControlId::Conforme, &Form1::Conforme},
};

constexpr Qt::WindowFlags kFrame = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;

// The picture's own pixels are those of a 96-dpi screen: on a denser one it
// grows with the controls, so that it stays behind them as drawn.
QPixmap ScaledPicture(const QPixmap& picture, int dpi) {
    return picture.scaled(layout::PixelsFrom96(picture.width(), dpi),
                          layout::PixelsFrom96(picture.height(), dpi), Qt::IgnoreAspectRatio,
                          Qt::SmoothTransformation);
}

}  // namespace

MainWindow::MainWindow(CoreEvents& events, int dpi)
    : LayoutWindow(layout::LayoutOf(WindowId::Form1), dpi, kFrame),
      events_(events),
      background_(ScaledPicture(QPixmap(QStringLiteral(":/fond.gif")), dpi)) {
    setWindowIcon(QIcon(QStringLiteral(":/kalvoro.ico")));
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    QGuiApplication::primaryScreen()->availableGeometry()));
    ConnectControls();
    Control(ControlId::TxtHeure).setFocus();
}

void MainWindow::ConnectControls() {
    // Push buttons report their clicks; the entry and the labels, their presses.
    for (const ClickBinding& click : kForm1Clicks) {
        if (auto* button = qobject_cast<QPushButton*>(&Control(click.control))) {
            connect(button, &QPushButton::clicked, this, [this, click] { Deliver(click.handler); });
        } else {
            Control(click.control).installEventFilter(this);
        }
    }
    for (const OptionBinding& option : kForm1Options) {
        connect(&ControlAs<QRadioButton>(option.control), &QRadioButton::toggled, this,
                [this, option](bool checked) {
                    if (checked) {
                        events_.Deliver([option](Program& program) {
                            program.form1().SelectOption(option.action);
                        });
                    }
                });
    }
    // Edits by the user only: the texts that Refresh writes are Form1's already.
    connect(&ControlAs<QLineEdit>(ControlId::TxTChoix), &QLineEdit::textEdited, this,
            [this](const QString& text) {
                const QByteArray utf8 = text.toUtf8();
                events_.Deliver([&utf8](Program& program) {
                    program.form1().TxTChoix_Change(utf8.toStdString());
                });
            });
}

void MainWindow::Deliver(void (Form1::*handler)()) {
    events_.Deliver([handler](Program& program) { (program.form1().*handler)(); });
}

void MainWindow::Refresh(const Form1& form1) {
    // Out of sight, a clock tick writes nothing: a text set on a hidden field
    // still costs its layout.
    if (!isVisible() || isMinimized()) {
        return;
    }
    for (const Text& text : kTexts) {
        auto& field = ControlAs<QLineEdit>(text.control);
        const QString shown = FromUtf8((form1.*text.text)());
        if (field.text() != shown) {
            field.setText(shown);
            // A text wider than the field is scrolled to the cursor, which
            // setText puts at the end: show it from its start.
            field.setCursorPosition(0);
        }
    }
    for (const OptionBinding& option : kForm1Options) {
        auto& button = ControlAs<QRadioButton>(option.control);
        if (form1.SelectedOption() == option.action && !button.isChecked()) {
            const QSignalBlocker blocker(button);
            button.setChecked(true);
        }
    }
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonPress &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        for (const ClickBinding& click : kForm1Clicks) {
            if (watched == &Control(click.control)) {
                Deliver(click.handler);
            }
        }
    }
    return LayoutWindow::eventFilter(watched, event);
}

void MainWindow::showEvent(QShowEvent* event) {
    LayoutWindow::showEvent(event);
    events_.Refresh();
}

void MainWindow::changeEvent(QEvent* event) {
    LayoutWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && !isMinimized()) {
        events_.Refresh();
    }
}

void MainWindow::paintEvent(QPaintEvent* event) {
    LayoutWindow::paintEvent(event);
    QPainter(this).drawPixmap(0, 0, background_);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    bool unloaded = false;
    events_.Deliver([&unloaded](Program& program) {
        program.CloseBox(WindowId::Form1);
        unloaded = !program.Loaded(WindowId::Form1);
    });
    event->setAccepted(unloaded);
}

}  // namespace kalvoro::qt
