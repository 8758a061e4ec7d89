#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCoreApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace uitest {

// Runs `action` on the modal dialog as soon as it is shown (call it before the modal loop
// starts). A dialog that `action` leaves open is rejected after the timeout, so that a test
// fails rather than hangs.
inline void OnModal(std::function<void(QWidget*)> action, int timeoutMs = 5000) {
    auto* poll = new QTimer(qApp);
    QElapsedTimer clock;
    clock.start();
    QObject::connect(poll, &QTimer::timeout, [poll, clock, action, timeoutMs] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible()) {
            if (clock.elapsed() < timeoutMs)
                return;
            poll->stop();
            poll->deleteLater();
            ADD_FAILURE() << "no modal dialog was shown";
            return;
        }
        poll->stop();
        poll->deleteLater();
        action(modal);
        QTimer::singleShot(timeoutMs, modal, [modal] {
            if (!modal->isVisible())
                return;
            ADD_FAILURE() << "the modal dialog stayed open";
            modal->close();
            if (auto* dialog = qobject_cast<QDialog*>(modal))
                dialog->done(-1);
        });
    });
    poll->start(5);
}

// The push button of `dialog` with this text, or null.
inline QAbstractButton* ButtonWithText(QWidget* dialog, const QString& text) {
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

// Saves a picture of the widget as it draws itself, beside the test program, for a person to
// look at.
inline void SaveScreenshot(QWidget& widget, const QString& name) {
    const QString folder = QCoreApplication::applicationDirPath() + QStringLiteral("/screenshots");
    QDir().mkpath(folder);
    EXPECT_TRUE(widget.grab().save(folder + QLatin1Char('/') + name + QStringLiteral(".png")));
}

}  // namespace uitest
