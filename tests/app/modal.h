#pragma once
// Acts on the next modal dialog of type D once it is showing, from inside the event
// loop that the dialog's exec() runs. A dialog that never shows, or that the action
// leaves open, fails the test instead of hanging it.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>
#include <functional>
#include <memory>

template <class D>
void WhenModalShows(std::function<void(D&)> act) {
  auto* poll = new QTimer;
  auto tries = std::make_shared<int>(0);
  QObject::connect(poll, &QTimer::timeout, [poll, tries, act] {
    auto* dialog = qobject_cast<D*>(QApplication::activeModalWidget());
    if (dialog == nullptr && ++*tries < 500) return;
    poll->stop();
    poll->deleteLater();
    if (dialog == nullptr) {
      ADD_FAILURE() << "the expected dialog never showed";
      return;
    }
    act(*dialog);
    QTimer::singleShot(3000, [open = QPointer<QDialog>(dialog)] {
      if (open.isNull() || !open->isVisible()) return;
      ADD_FAILURE() << "the dialog stayed open";
      open->reject();
    });
  });
  poll->start(10);
}
