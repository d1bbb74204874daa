// SPDX-License-Identifier: GPL-3.0-or-later
// The Survey window's rooms and points: the tree with each point's figures, the plan's markers,
// the chosen point's measurements, the files attached to it, and the spot measurement.

#include "survey/SurveyWindow.h"

#include "records/RecordFile.h"
#include "survey/FloorPlanView.h"
#include "survey/SurveyHost.h"
#include "ui/Dialogs.h"
#include "ui/LocaleText.h"

#include <QBuffer>
#include <QComboBox>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTreeWidget>

namespace veltrix::survey {

namespace {
constexpr int IdRole = Qt::UserRole;
const QString ImageFilter =
    QStringLiteral("Images (*.png *.jpg *.jpeg)|*.png;*.jpg;*.jpeg|All Files (*.*)|*.*|");

const stats::Reference* guidanceOf(const Survey& survey)
{
    return survey.guidance.isEmpty() ? nullptr
                                     : stats::findReference(survey.guidance, survey.mains);
}

QString kindText(MeasurementKind kind)
{
    switch (kind) {
    case MeasurementKind::Spot:
        return SurveyWindow::tr("spot");
    case MeasurementKind::Recording:
        return SurveyWindow::tr("recording");
    case MeasurementKind::LoggerSet:
        return SurveyWindow::tr("logger set");
    }
    return {};
}

// A PNG or JPEG picture, or a null image.
QImage pictureOf(const QByteArray& bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    QImageReader reader(&buffer);
    const QByteArray format = reader.format();
    if (format != "png" && format != "jpeg")
        return {};
    return reader.read();
}
} // namespace

std::optional<PointFigures> SurveyWindow::figures(const Point& point, QString* error) const
{
    QStringList ids;
    for (const Measurement& m : point.measurements)
        if (m.session == m_session)
            ids << m.id;
    const QString key = QStringLiteral("%1|%2|%3|%4")
                            .arg(m_survey.guidance)
                            .arg(int(m_survey.mains))
                            .arg(m_session, ids.join(QLatin1Char(',')));
    auto it = m_figures.constFind(key);
    if (it == m_figures.constEnd()) {
        Figures f;
        f.figures = pointFigures(point, m_session, guidanceOf(m_survey), &f.error);
        it = m_figures.insert(key, f);
    }
    if (error)
        *error = it->error;
    return it->figures;
}

void SurveyWindow::refresh()
{
    if (!m_survey.sessions.contains(m_session))
        m_session = m_survey.sessions.value(0);
    fillSessions();
    fillTree();
    fillPoint();
    fillPlan();
    updateMeasureControls();
}

void SurveyWindow::fillSessions()
{
    const QSignalBlocker block(ComboSession);
    ComboSession->clear();
    for (const QString& s : m_survey.sessions)
        ComboSession->addItem(s, s);
    ComboSession->addItem(tr("New session…"));
    ComboSession->setCurrentIndex(std::max(0, ComboSession->findData(m_session)));
}

void SurveyWindow::fillTree()
{
    const QString chosen = TreePoints->currentItem()
                               ? TreePoints->currentItem()->data(0, IdRole).toString()
                               : QString();
    const QSignalBlocker block(TreePoints);
    TreePoints->clear();
    const int bands = bandCount(guidanceOf(m_survey));
    int number = 0;
    for (const Room& room : m_survey.rooms) {
        auto* roomItem = new QTreeWidgetItem(TreePoints, {room.name});
        roomItem->setData(0, IdRole, room.id);
        for (const Point& point : room.points) {
            auto* item =
                new QTreeWidgetItem(roomItem, {tr("%1. %2").arg(++number).arg(point.name)});
            item->setData(0, IdRole, point.id);
            const auto f = figures(point);
            if (!f)
                continue;
            const stats::Statistics& st = f->statistics;
            const auto text = [&](double mg) {
                return stats::figureText(mg, m_survey.unit, st.resolution, ui::displayLocale());
            };
            item->setText(1, text(st.mean));
            item->setText(2, text(st.maximum));
            item->setText(3, text(st.percentile95));
            item->setText(4, (f->bandAtLeast ? QStringLiteral("≥ ") : QString()) + f->bandName);
            item->setBackground(4, QColor::fromRgb(bandRgb(f->band, bands)));
        }
    }
    TreePoints->expandAll();
    const QList<QTreeWidgetItem*> found =
        TreePoints->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive);
    for (QTreeWidgetItem* item : found)
        if (item->data(0, IdRole).toString() == chosen)
            TreePoints->setCurrentItem(item);
}

void SurveyWindow::fillPlan()
{
    // Decoded again only when another plan was opened (or a change undone brought one back).
    if (m_planBytes != m_survey.plan.image || m_planAspect != m_survey.plan.aspect) {
        m_planBytes = m_survey.plan.image;
        m_planAspect = m_survey.plan.aspect;
        m_plan->setPlan(pictureOf(m_planBytes), m_survey.plan.aspect);
    }
    const int bands = bandCount(guidanceOf(m_survey));
    const QString chosen = chosenPointId();
    QList<PlanMarker> markers;
    int number = 0;
    for (const Room& room : m_survey.rooms) {
        for (const Point& point : room.points) {
            ++number;
            if (!point.position)
                continue;
            const auto f = figures(point);
            markers.append({point.id, number, *point.position,
                            bandRgb(f ? f->band : std::nullopt, bands), point.id == chosen});
        }
    }
    m_plan->setMarkers(markers);
}

void SurveyWindow::fillPoint()
{
    const Point* point = m_survey.point(chosenPointId());
    ListMeasurements->clear();
    LblPhoto->clear();
    for (QWidget* w : m_pointControls)
        w->setEnabled(point);
    if (!point) {
        LblPoint->setText(tr("No point chosen"));
        LblFigures->setText(tr("Choose a point in the tree, or add one."));
        return;
    }
    LblPoint->setText(tr("%1 (%2)").arg(point->name, m_survey.roomOf(point->id)->name));
    QString error;
    if (const auto f = figures(*point, &error)) {
        const stats::Statistics& st = f->statistics;
        const auto text = [&](double mg) {
            return stats::figureText(mg, m_survey.unit, st.resolution, ui::displayLocale());
        };
        LblFigures->setText(
            tr("Session %1, %n measurement(s): mean %2, max %3, 95th percentile %4; band: %5",
               nullptr, f->measurements)
                .arg(m_session, text(st.mean), text(st.maximum), text(st.percentile95),
                     (f->bandAtLeast ? tr("at least ") : QString()) + f->bandName));
    } else {
        LblFigures->setText(error.isEmpty() ? tr("No measurement in session %1.").arg(m_session)
                                            : error);
    }
    for (const Measurement& m : point->measurements) {
        const QString what =
            m.source.isEmpty() ? ui::dateTimeText(m.taken) : m.source;
        auto* item =
            new QListWidgetItem(tr("%1 · %2 · %3 · %n reading(s)", nullptr, int(m.rows().size()))
                                    .arg(m.session, kindText(m.kind), what),
                                ListMeasurements);
        item->setData(IdRole, m.id);
    }
    CmdDeleteMeasurement->setEnabled(ListMeasurements->count() > 0);
    const QImage photo = pictureOf(point->photo);
    if (!photo.isNull())
        LblPhoto->setPixmap(QPixmap::fromImage(photo.scaled(200, 130, Qt::KeepAspectRatio)));
}

QString SurveyWindow::chosenPointId() const
{
    const QTreeWidgetItem* item = TreePoints->currentItem();
    return item && item->parent() ? item->data(0, IdRole).toString() : QString();
}

QString SurveyWindow::chosenRoomId() const
{
    const QTreeWidgetItem* item = TreePoints->currentItem();
    if (!item)
        return {};
    return (item->parent() ? item->parent() : item)->data(0, IdRole).toString();
}

void SurveyWindow::choose(const QString& id)
{
    const QList<QTreeWidgetItem*> found =
        TreePoints->findItems(QStringLiteral("*"), Qt::MatchWildcard | Qt::MatchRecursive);
    for (QTreeWidgetItem* item : found)
        if (item->data(0, IdRole).toString() == id)
            TreePoints->setCurrentItem(item);
}

void SurveyWindow::sessionChosen(int index)
{
    if (index < int(m_survey.sessions.size())) {
        m_session = m_survey.sessions.value(index);
        return refresh();
    }
    const QString name =
        ui::Dialogs::current()
            .inputBox(this, tr("Name of the new session:"), tr("New session"), QString())
            .trimmed();
    if (name.isEmpty() || m_survey.sessions.contains(name))
        return fillSessions(); // back to the session shown
    m_session = name;
    edit(tr("New session"), [&name](Survey& s) { s.sessions.append(name); });
}

// --- Rooms and points

void SurveyWindow::addRoom()
{
    const QString name = ui::Dialogs::current()
                             .inputBox(this, tr("Name of the room:"), tr("Add room"),
                                       tr("Room %1").arg(m_survey.rooms.size() + 1))
                             .trimmed();
    if (name.isEmpty())
        return;
    Room room;
    room.id = m_survey.newId(QLatin1Char('r'));
    room.name = name;
    edit(tr("Add room"), [&room](Survey& s) { s.rooms.append(room); });
    choose(room.id);
}

void SurveyWindow::addPoint()
{
    const QString roomId = chosenRoomId();
    if (roomId.isEmpty())
        return refuse(tr("Add a room first, then its points."));
    const QString name = ui::Dialogs::current()
                             .inputBox(this, tr("Name of the point:"), tr("Add point"), tr("Point"))
                             .trimmed();
    if (name.isEmpty())
        return;
    Point point;
    point.id = m_survey.newId(QLatin1Char('p'));
    point.name = name;
    edit(tr("Add point"), [&](Survey& s) {
        for (Room& room : s.rooms)
            if (room.id == roomId)
                room.points.append(point);
    });
    choose(point.id);
}

void SurveyWindow::renameChosen()
{
    QTreeWidgetItem* item = TreePoints->currentItem();
    if (!item)
        return;
    const QString id = item->data(0, IdRole).toString();
    const Point* point = m_survey.point(id);
    QString old;
    for (const Room& room : m_survey.rooms)
        if (room.id == id)
            old = room.name;
    const QString name =
        ui::Dialogs::current()
            .inputBox(this, tr("New name:"), tr("Rename"), point ? point->name : old)
            .trimmed();
    if (name.isEmpty())
        return;
    edit(tr("Rename"), [&](Survey& s) {
        if (Point* p = s.point(id))
            p->name = name;
        for (Room& room : s.rooms)
            if (room.id == id)
                room.name = name;
    });
}

void SurveyWindow::deleteChosen()
{
    QTreeWidgetItem* item = TreePoints->currentItem();
    if (!item)
        return;
    const QString id = item->data(0, IdRole).toString();
    const bool isPoint = item->parent();
    const Room* measured = measuring() ? m_survey.roomOf(m_spotPoint) : nullptr;
    if (measured && (id == m_spotPoint || id == measured->id))
        return refuse(tr("The point is being measured: cancel the measurement first."));
    edit(isPoint ? tr("Delete point") : tr("Delete room"), [&](Survey& s) {
        if (!isPoint)
            s.rooms.removeIf([&](const Room& r) { return r.id == id; });
        for (Room& room : s.rooms)
            room.points.removeIf([&](const Point& p) { return p.id == id; });
    });
}

void SurveyWindow::placeChosen(const QPointF& at)
{
    const QString id = chosenPointId();
    if (id.isEmpty()) {
        statusBar()->showMessage(tr("Choose a point in the tree, then click its place."), 5000);
        return;
    }
    edit(tr("Place point"), [&](Survey& s) { s.point(id)->position = at; });
}

// --- Files

void SurveyWindow::attachRecording()
{
    attach(MeasurementKind::Recording);
}

void SurveyWindow::attachLoggerSet()
{
    attach(MeasurementKind::LoggerSet);
}

void SurveyWindow::attach(MeasurementKind kind)
{
    const QString id = chosenPointId();
    if (id.isEmpty())
        return;
    const auto path = ui::Dialogs::current().openFile(this, ui::DataFilesFilter);
    if (!path)
        return;
    QString error;
    auto attached = attachedFile(kind, *path, &error);
    if (!attached)
        return refuse(error);
    Measurement m = std::move(*attached);
    m.id = m_survey.newId(QLatin1Char('m'));
    m.session = m_session;
    if (!m.taken.isValid())
        m.taken = QDateTime::currentDateTime();
    edit(tr("Attach %1").arg(kindText(kind)),
         [&](Survey& s) { s.point(id)->measurements.append(m); });
}

void SurveyWindow::deleteMeasurement()
{
    const QString id = chosenPointId();
    const QListWidgetItem* item = ListMeasurements->currentItem();
    if (id.isEmpty() || !item)
        return;
    const QString measurement = item->data(IdRole).toString();
    edit(tr("Delete measurement"), [&](Survey& s) {
        s.point(id)->measurements.removeIf(
            [&](const Measurement& m) { return m.id == measurement; });
    });
}

// A PNG or JPEG the user chooses, with its file's name; nothing when cancelled or refused.
std::optional<QByteArray> SurveyWindow::choosePicture(QString* name)
{
    const auto path = ui::Dialogs::current().openFile(this, ImageFilter);
    if (!path)
        return std::nullopt;
    *name = QFileInfo(*path).fileName();
    QString error;
    auto bytes = readPicture(*path, &error);
    if (bytes && pictureOf(*bytes).isNull()) // PNG or JPEG by its first bytes, yet damaged
        error = tr("%1 is not a PNG or JPEG picture.").arg(*name);
    if (!error.isEmpty()) {
        refuse(error);
        return std::nullopt;
    }
    return bytes;
}

void SurveyWindow::addPhoto()
{
    const QString id = chosenPointId();
    QString name;
    const auto bytes = id.isEmpty() ? std::nullopt : choosePicture(&name);
    if (!bytes)
        return;
    edit(tr("Add photo"), [&](Survey& s) {
        s.point(id)->photo = *bytes;
        s.point(id)->photoName = name;
    });
}

void SurveyWindow::openPlan()
{
    QString name;
    const auto bytes = choosePicture(&name);
    if (!bytes)
        return;
    edit(tr("Open plan"), [&](Survey& s) {
        s.plan.image = *bytes;
        s.plan.name = name;
    });
}

void SurveyWindow::blankPlan()
{
    edit(tr("Blank grid"), [](Survey& s) {
        s.plan.image.clear();
        s.plan.name.clear();
    });
}

// --- The spot measurement

void SurveyWindow::updateMeasureControls()
{
    const bool live = m_host && m_host->meterLive();
    CmdMeasure->setEnabled(live && !measuring() && !chosenPointId().isEmpty());
    CmdMeasure->setToolTip(live ? QString() : tr("The meter is not answering."));
    SpinMeasureSeconds->setEnabled(!measuring());
    ProgressMeasure->setVisible(measuring());
    CmdCancelMeasure->setVisible(measuring());
}

void SurveyWindow::startMeasurement()
{
    const QString id = chosenPointId();
    if (measuring() || id.isEmpty())
        return;
    if (!m_host || !m_host->meterLive())
        return refuse(tr("The meter is not answering: connect it and try again."));
    m_spot.emplace(SpinMeasureSeconds->value());
    m_spotPoint = id;
    m_spotSession = m_session;
    m_spotFirst = {};
    ProgressMeasure->setRange(0, SpinMeasureSeconds->value());
    ProgressMeasure->setValue(0);
    // The samples the panel takes anyway, one each sampling time: nothing more is asked of the
    // meter.
    m_spotFeed = connect(m_host, &SurveyHost::sampleTaken, this, &SurveyWindow::spotSample);
    updateMeasureControls();
}

void SurveyWindow::spotSample(const QDateTime& when, const QString& body)
{
    if (!m_spot)
        return;
    if (!m_spotFirst.isValid())
        m_spotFirst = when;
    m_spot->add(when, body);
    ProgressMeasure->setValue(int(std::min<qint64>(m_spot->seconds(), m_spotFirst.secsTo(when))));
    if (m_spot->done())
        finishMeasurement();
}

void SurveyWindow::finishMeasurement()
{
    Measurement m = m_spot->measurement();
    const QString id = m_spotPoint;
    m.id = m_survey.newId(QLatin1Char('m'));
    m.session = m_spotSession;
    if (!m.taken.isValid())
        m.taken = m_spotFirst;
    endMeasurement();
    if (!m_survey.point(id))
        return refuse(tr("The point was deleted while it was measured: the measurement is not "
                         "stored."));
    if (!m_survey.sessions.contains(m.session))
        m.session = m_session;
    edit(tr("Spot measurement"), [&](Survey& s) { s.point(id)->measurements.append(m); });
    statusBar()->showMessage(
        tr("Spot measurement stored: %n reading(s)", nullptr, int(m.rows().size())), 5000);
    emit measurementStored(id);
}

void SurveyWindow::cancelMeasurement()
{
    if (!measuring())
        return;
    endMeasurement();
    statusBar()->showMessage(tr("Spot measurement cancelled."), 5000);
}

void SurveyWindow::endMeasurement()
{
    disconnect(m_spotFeed);
    m_spot.reset();
    updateMeasureControls();
}

void SurveyWindow::hostLiveChanged(bool live)
{
    if (!live && measuring()) {
        endMeasurement();
        refuse(tr("The meter stopped answering: the spot measurement is not stored."));
    }
    updateMeasureControls();
}

} // namespace veltrix::survey
