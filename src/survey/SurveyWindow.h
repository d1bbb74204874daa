// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The Survey window: one site visit. Rooms and their points in a tree with each point's figures
// in the session shown; the floor plan, where a click places the chosen point and the markers
// take the colour of their band; the chosen point's measurements, photo and "Measure here".
//
// Every change goes through the undo stack as the survey before and after it (the readings are
// shared, not copied), so any change can be undone and the stack's clean state says whether the
// file on disk holds the survey shown.

#include "survey/SurveyProject.h"

#include <QHash>
#include <QMainWindow>
#include <QPointer>
#include <QUndoStack>

#include <functional>
#include <optional>

class QComboBox;
class QLabel;
class QListWidget;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTreeWidget;
class QTreeWidgetItem;

namespace veltrix::survey {

class FloorPlanView;
class SurveyHost;

class SurveyWindow : public QMainWindow {
    Q_OBJECT
public:
    // `host`: the live meter (none: no spot measurements).
    explicit SurveyWindow(SurveyHost* host, QWidget* parent = nullptr);
    ~SurveyWindow() override;

    const Survey& survey() const { return m_survey; }
    QString filePath() const { return m_path; }
    QString session() const { return m_session; }
    QString chosenPointId() const;
    // Chooses a point (or room) in the tree by its id.
    void choose(const QString& id);
    QUndoStack& undoStack() { return m_undo; }
    bool measuring() const { return m_spot.has_value(); }
    // The samples the running spot measurement holds so far.
    int spotSamples() const { return m_spot ? m_spot->samples() : 0; }
    FloorPlanView* floorPlan() const { return m_plan; }

public slots:
    void newSurvey();
    void open();
    bool save();
    bool saveAs();
    void writeReport();
    void editDetails();
    void addRoom();
    void addPoint();
    void renameChosen();
    void deleteChosen();
    void attachRecording();
    void attachLoggerSet();
    void addPhoto();
    void openPlan();
    void blankPlan();
    void startMeasurement();
    void cancelMeasurement();
    void deleteMeasurement();

signals:
    // A spot measurement was stored in the survey.
    void measurementStored(const QString& pointId);

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void buildActions();
    QWidget* buildTreePane();
    QWidget* buildPointPane();
    QWidget* buildMeasureRow(QWidget* parent);
    void edit(const QString& text, const std::function<void(Survey&)>& change);
    void replaceSurvey(const Survey& survey);
    void startAfresh(const Survey& survey, const QString& path);
    bool askDiscard();
    void refresh();
    void fillTree();
    void fillSessions();
    void fillPoint();
    void fillPlan();
    void updateMeasureControls();
    void sessionChosen(int index);
    void placeChosen(const QPointF& at);
    void attach(MeasurementKind kind);
    std::optional<QByteArray> choosePicture(QString* name);
    void spotSample(const QDateTime& when, const QString& body);
    void finishMeasurement();
    void endMeasurement();
    void hostLiveChanged(bool live);
    void refuse(const QString& text);
    std::optional<PointFigures> figures(const Point& point, QString* error = nullptr) const;
    QString chosenRoomId() const;

    QPointer<SurveyHost> m_host;
    Survey m_survey;
    QString m_path;
    QString m_session;
    QByteArray m_planBytes; // the plan shown
    double m_planAspect = 0;
    QUndoStack m_undo;
    // A point's figures by its measurements in a session: the readings of a measurement never
    // change, so the figures are worked out once.
    struct Figures {
        std::optional<PointFigures> figures;
        QString error;
    };
    mutable QHash<QString, Figures> m_figures;
    std::optional<SpotRecorder> m_spot;
    QString m_spotPoint, m_spotSession;
    QDateTime m_spotFirst;
    QMetaObject::Connection m_spotFeed;

    QTreeWidget* TreePoints = nullptr;
    QComboBox* ComboSession = nullptr;
    FloorPlanView* m_plan = nullptr;
    QLabel* LblPoint = nullptr;
    QLabel* LblFigures = nullptr;
    QLabel* LblPhoto = nullptr;
    QListWidget* ListMeasurements = nullptr;
    QPushButton* CmdDeleteMeasurement = nullptr;
    QSpinBox* SpinMeasureSeconds = nullptr;
    QPushButton* CmdMeasure = nullptr;
    QPushButton* CmdCancelMeasure = nullptr;
    QProgressBar* ProgressMeasure = nullptr;
    QList<QWidget*> m_pointControls; // what needs a chosen point
};

} // namespace veltrix::survey
