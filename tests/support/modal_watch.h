// Acting on a modal window that code under test opens with exec(): the action runs from the
// event loop of that exec(), once the window is up. If none comes up within a few seconds the
// test fails instead of waiting for ever.
#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>
#include <functional>

namespace rpanel::test {

class ModalWatch {
public:
    explicit ModalWatch(std::function<void(QWidget& modal)> action) : action_(std::move(action)) {
        QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
        timer_.start(kPollMilliseconds);
    }
    bool Acted() const { return acted_; }

private:
    static constexpr int kPollMilliseconds = 20;
    static constexpr int kGiveUpPolls = 250;

    void Poll() {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer_.stop();
            acted_ = true;
            action_(*modal);
        } else if (++polls_ == kGiveUpPolls) {
            timer_.stop();
            ADD_FAILURE() << "no modal window came up";
        }
    }

    std::function<void(QWidget&)> action_;
    QTimer timer_;
    int polls_ = 0;
    bool acted_ = false;
};

}  // namespace rpanel::test
