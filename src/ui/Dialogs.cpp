#include "ui/Dialogs.h"

#include <QFileDialog>
#include <QInputDialog>
#include <QMessageBox>
#include <QStringList>

namespace veltrix::ui {

namespace {
Dialogs* installed = nullptr;

QMessageBox::Icon toQt(MsgIcon icon)
{
    switch (icon) {
    case MsgIcon::Critical:
        return QMessageBox::Critical;
    case MsgIcon::Exclamation:
        return QMessageBox::Warning;
    case MsgIcon::Information:
        return QMessageBox::Information;
    case MsgIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}
} // namespace

QString qtFilter(const QString& pipeFilter)
{
    // "A (*.a)|*.a|B (*.*)|*.*|": names and patterns alternate; Qt wants "A (*.a);;B (*.*)".
    const QStringList parts = pipeFilter.split(QLatin1Char('|'));
    QStringList names;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (!parts[i].isEmpty())
            names << parts[i];
    }
    return names.join(QStringLiteral(";;"));
}

MsgResult Dialogs::message(QWidget* parent, const QString& text, MsgButtons buttons, MsgIcon icon,
                           const QString& title)
{
    QMessageBox box(toQt(icon), title.isEmpty() ? QStringLiteral("Veltrix Panel") : title, text,
                    buttons == MsgButtons::OkCancel ? QMessageBox::Ok | QMessageBox::Cancel
                                                    : QMessageBox::Ok,
                    parent);
    return box.exec() == QMessageBox::Ok ? MsgResult::Ok : MsgResult::Cancel;
}

QString Dialogs::inputBox(QWidget* parent, const QString& prompt, const QString& title,
                          const QString& defaultText)
{
    bool ok = false;
    const QString answer =
        QInputDialog::getText(parent, title, prompt, QLineEdit::Normal, defaultText, &ok);
    return ok ? answer : QString();
}

std::optional<QString> Dialogs::openFile(QWidget* parent, const QString& pipeFilter)
{
    const QString path =
        QFileDialog::getOpenFileName(parent, QObject::tr("Open"), QString(), qtFilter(pipeFilter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> Dialogs::saveFile(QWidget* parent, const QString& pipeFilter)
{
    const QString path = QFileDialog::getSaveFileName(parent, QObject::tr("Save As"), QString(),
                                                      qtFilter(pipeFilter));
    if (path.isEmpty())
        return std::nullopt;
    return path;
}

std::optional<QString> Dialogs::chooseFolder(QWidget* parent, const QString& title)
{
    const QString dir = QFileDialog::getExistingDirectory(
        parent, title.isEmpty() ? QObject::tr("Choose a folder") : title);
    if (dir.isEmpty())
        return std::nullopt;
    return dir;
}

Dialogs& Dialogs::current()
{
    static Dialogs real;
    return installed ? *installed : real;
}

void Dialogs::setCurrent(Dialogs* d)
{
    installed = d;
}

} // namespace veltrix::ui
