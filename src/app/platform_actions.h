// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace mertano {

// What the toolbar asks of the desktop. Tests put in their own, so no test ever opens a
// browser, a mail program or a calculator.
class PlatformActions {
public:
    virtual ~PlatformActions() = default;
    // A web page (http or https only; the caller checks) or a mail link. With a browser
    // command from the system settings, that program opens pages.
    virtual bool openUrl(const QUrl& url, const QString& browserCommand) = 0;
    // The desktop's own calculator; false when it has none.
    virtual bool startCalculator() = 0;
    virtual void showHelp(const QString& topic) = 0;
};

class DesktopActions : public PlatformActions {
public:
    // `help` shows a topic of Mertano's own help.
    explicit DesktopActions(std::function<void(const QString&)> help = {}) : help_(std::move(help)) {}
    void setHelp(std::function<void(const QString&)> help) { help_ = std::move(help); }

    bool openUrl(const QUrl& url, const QString& browserCommand) override;
    bool startCalculator() override;
    void showHelp(const QString& topic) override {
        if (help_) help_(topic);
    }

private:
    std::function<void(const QString&)> help_;
};

}  // namespace mertano
