// SPDX-License-Identifier: GPL-3.0-or-later
// Veltrix Panel: choose the meter's port, then watch, record and manage the meter.

#include "link/PortWindow.h"
#include "panel/Panel.h"
#include "sim/VirtualMeter.h"
#include "ui/Dialogs.h"
#include "ui/Language.h"
#include "ui/PortBindings.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QPointer>
#include <cstdio>

using namespace veltrix;

namespace {

// The translation context of the command line's texts (lupdate reads it from here).
struct MainTr {
    Q_DECLARE_TR_FUNCTIONS(PanelMain)
};

// Built after the translators are installed: the help speaks the user's language.
struct Options {
    QCommandLineOption com{
        QStringLiteral("com"),
        MainTr::tr("Bind port N (1-8) to a device path, e.g. --com 1=/dev/ttyUSB0. Repeatable."),
        QStringLiteral("N=PATH")};
    QCommandLineOption simulate{
        QStringLiteral("simulate"),
        MainTr::tr("Run the virtual meter on a pseudo-terminal bound to COM1 and open the "
                   "panel on it (no hardware needed).")};
    QCommandLineOption port{QStringLiteral("port"),
                            MainTr::tr("Open the panel on COM<N> without asking."),
                            QStringLiteral("N")};
};

void complain(const QString& text)
{
    std::fprintf(stderr, "veltrix-panel: %s\n", text.toLocal8Bit().constData());
}

// Binds the ports the options name and starts the virtual meter when asked. Returns 0, or the
// status to exit with after saying why; `port` is the port to open without asking (0: ask).
int applyOptions(const QCommandLineParser& parser, const Options& o, ui::PortBindings& bindings,
                 sim::VirtualMeter& meter, int& port)
{
    for (const QString& entry : parser.values(o.com)) {
        if (!bindings.bindFromOption(entry)) {
            complain(MainTr::tr("--com expects N=PATH with N from 1 to 8, got '%1'").arg(entry));
            return 2;
        }
    }
    port = 0;
    if (parser.isSet(o.simulate)) {
        QString error;
        if (!meter.start(&error)) {
            complain(MainTr::tr("cannot start the virtual meter: %1").arg(error));
            return 1;
        }
        bindings.bind(1, meter.devicePath(), QStringLiteral("Veltrix virtual meter"));
        const QString where = MainTr::tr("Virtual meter on %1 (COM1)").arg(meter.devicePath());
        std::printf("%s\n", where.toLocal8Bit().constData());
        std::fflush(stdout);
        port = 1;
    }
    if (parser.isSet(o.port))
        port = parser.value(o.port).toInt();
    return 0;
}

// The panel on `port`, or the port window first when it is 0; returns the exit status.
int runPanel(QApplication& app, const ui::PortBindings& bindings, int port)
{
    QPointer<Panel> panel;
    int status = 0;
    const auto openPanel = [&](int chosen) {
        panel = new Panel(bindings, chosen);
        panel->setAttribute(Qt::WA_DeleteOnClose);
        QObject::connect(panel, &Panel::closed, &app, &QCoreApplication::quit);
        ui::OpenError error = ui::OpenError::None;
        if (!panel->startUp(&error)) {
            const QString text = Panel::startUpFailureText(error, panel->comm().errorText());
            ui::Dialogs::current().message(nullptr, text, ui::MsgButtons::Ok,
                                           ui::MsgIcon::Critical);
            status = 1;
            delete panel;
            QCoreApplication::exit(1);
            return false;
        }
        panel->show();
        return true;
    };

    if (port != 0) {
        if (!openPanel(port))
            return status;
    } else {
        auto* chooser = new PortWindow(bindings);
        QObject::connect(chooser, &PortWindow::chosen, &app,
                         [&](int chosen) { openPanel(chosen); });
        chooser->show();
    }
    const int rc = app.exec();
    delete panel;
    return status != 0 ? status : rc;
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltrix Panel"));
    QApplication::setApplicationVersion(QStringLiteral("10.01"));
    // Wayland finds the window's menu entry and icon by this name.
    QGuiApplication::setDesktopFileName(QStringLiteral("io.github.veltrix.Panel"));
    // German where the system speaks it (VELTRIX_LANGUAGE=en keeps English).
    ui::installTranslators(app);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        MainTr::tr("Desktop companion for the Veltrix field meter on a serial line."));
    parser.addHelpOption();
    parser.addVersionOption();
    const Options o;
    parser.addOptions({o.com, o.simulate, o.port});
    parser.process(app);

    ui::PortBindings bindings = ui::PortBindings::fromSystem();
    sim::VirtualMeter meter;
    int port = 0;
    if (const int status = applyOptions(parser, o, bindings, meter, port))
        return status;
    return runPanel(app, bindings, port);
}
