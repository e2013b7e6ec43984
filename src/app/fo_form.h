// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The main window.
//
// Glossary of the Hungarian role words in control and handler names: Fo main, Idom
// figure, Kep picture, Aold/Bold/Cold sides a/b/c, Sugar radius, Nagyr large radius R,
// Atmero diameter, Hur chord, Iv arc, Magas height, Alfa/Beta/Gamma angles,
// Fok/Perc/Mperc degrees/minutes/seconds, Kerulet perimeter, Terulet area, Felulet
// surface, Terfogat volume, Tomeg mass, Anyag material, Fajsuly specific gravity, Egyseg
// unit, Szamol calculate, Nyomtat print, Uj new, Kilep exit, Valt convert, Nyelv
// language, Ment save, Modosit change, Torol delete, Rendben OK, Nev name, Decim
// decimal; suffixes Edit, Text, Btn, SpBtn, ComboBox, Panel, Image.
#include <QWidget>
#include <array>
#include <functional>
#include <optional>

#include "app/solution_window.h"
#include "calc/calculate.h"
#include "calc/field.h"
#include "pictures/shown_pictures.h"
#include "shapes/shape_kind.h"

class QButtonGroup;
class QComboBox;
class QFrame;
class QLabel;
class QMenu;
class QPushButton;
class QToolButton;

namespace mertano {

struct AppContext;
class TFloatEdit;
class FigureButton;
class JobWindow;
class PatternWindow;
struct JobRow;

class TFoForm : public QWidget {
    Q_OBJECT

public:
    explicit TFoForm(AppContext& app, QWidget* parent = nullptr);
    ~TFoForm() override;

    // Runs at the first showing and whenever a secondary window hands back.
    void FormActivate();
    // Loads the current language's texts again and puts them on every window.
    void Nyelvvalt();
    // Resets every field and lays out the figure whose button is down.
    void Inicializal();
    // Keeps the calculate button in step with the fields.
    void Kapcsvalt();
    void SzamolBtnClick();
    void EgysegComboBoxChange();
    void AnyagComboBoxChange();

    // The secondary windows the toolbar opens; each hands back to this window when it
    // closes, however it is closed. Each is made by its maker when it is first wanted,
    // so none costs anything at start-up.
    using WindowMaker = std::function<QWidget*()>;
    void setSecondaryWindows(WindowMaker anyagForm, WindowMaker nyelvForm, WindowMaker valtForm);
    QWidget* anyagForm() { return secondary(anyagForm_, makeAnyagForm_); }
    QWidget* nyelvForm() { return secondary(nyelvForm_, makeNyelvForm_); }
    QWidget* valtForm() { return secondary(valtForm_, makeValtForm_); }

    void KilepSpBtnClick();
    void ValtSpBtnClick();
    void CalcSpBtnClick();
    void AnyagSpBtnClick();
    void NyelvSpBtnClick();
    void HelpSpBtnClick();
    void NyomtatBtnClick();
    void OrvImageClick();
    void MailLabel2Click();

    // "How was it solved?", for a context menu of the output area; the window opens
    // with the steps of the last calculation. F2 opens it too.
    void addSolutionAction(QMenu* menu);
    void showSolutionWindow();
    // The other of two figures that fit the typed values, from those values again.
    void showOtherFigure();
    // Unlocks a solved figure with the values that were typed (the computed ones would
    // over-determine it), the unit and the material kept and the results cleared. Ctrl+E.
    void changeValues();
    bool canChangeValues() const;
    // The Zoom submenu of the output area's context menu; Ctrl+plus, Ctrl+minus and
    // Ctrl+0 zoom from anywhere in the window. A zoom the screen cannot hold is not offered.
    void addZoomMenu(QMenu* menu);
    void setZoom(int percent);
    bool zoomFits(int percent) const;
    // Null until the window is first asked for.
    SolutionWindow* solutionWindow() const { return solutionWindow_; }

    // The job sheet: "Add to job" (Ctrl+J) adds the solved figure as a row, F4 shows the
    // sheet, and a row shown here from the sheet can be replaced once recalculated.
    void addJobActions(QMenu* menu);
    void addToJob();
    void showJobWindow();
    void replaceJobRow();
    // The solved figure as a row of a job: typed values, unit, material and its gravity.
    std::optional<JobRow> currentPiece() const;
    // The row's figure chosen, its values typed and calculated.
    void showJobRow(const JobRow& row);
    // Made when first asked for.
    JobWindow* jobWindow();

    // The flat pattern of a solved cone, truncated cone or cylinder (Ctrl+U).
    void addPatternAction(QMenu* menu);
    bool canShowPattern() const;
    void showPatternWindow();
    PatternWindow* patternWindow() const { return patternWindow_; }

    std::optional<ShapeKind> selectedShape() const;
    TFloatEdit* edit(Field field) const { return edits_[FieldIndex(field)]; }
    QLabel* output(Output output) const { return outputs_[OutputIndex(output)]; }
    FigureButton* figureButton(ShapeKind shape) const { return figureButtons_[ShapeIndex(shape)]; }

    // The controls, named as their object names.
    QWidget* ToolBar = nullptr;
    QToolButton *KilepSpBtn = nullptr, *ValtSpBtn = nullptr, *CalcSpBtn = nullptr,
                *AnyagSpBtn = nullptr, *NyelvSpBtn = nullptr, *HelpSpBtn = nullptr;
    PictureLabel* OrvImage = nullptr;
    QLabel *MailLabel1 = nullptr, *MailLabel2 = nullptr;
    QFrame* IdomPanel = nullptr;
    QLabel* Panel1 = nullptr;
    FigureButton *SpeedBtn1 = nullptr, *SpeedBtn2 = nullptr, *SpeedBtn3 = nullptr,
                 *SpeedBtn4 = nullptr, *SpeedBtn5 = nullptr, *SpeedBtn6 = nullptr,
                 *SpeedBtn7 = nullptr, *SpeedBtn8 = nullptr, *SpeedBtn9 = nullptr,
                 *SpeedBtn10 = nullptr, *SpeedBtn11 = nullptr, *SpeedBtn12 = nullptr,
                 *SpeedBtn13 = nullptr;
    PictureLabel* KepImage = nullptr;
    QFrame* AlapPanel = nullptr;
    QFrame* KepBevel = nullptr;
    PictureLabel* IdomImage = nullptr;
    QFrame* InputPanel = nullptr;
    QLabel *EgysegText1 = nullptr, *EgysegText2 = nullptr, *DecimText = nullptr, *FPMText = nullptr;
    QComboBox* EgysegComboBox = nullptr;
    TFloatEdit *AoldEdit = nullptr, *BoldEdit = nullptr, *ColdEdit = nullptr, *AlfaEdit = nullptr,
               *SugarEdit = nullptr, *AtmeroEdit = nullptr, *IvEdit = nullptr, *HurEdit = nullptr,
               *BetaEdit = nullptr, *GammaEdit = nullptr, *MagasEdit1 = nullptr,
               *MagasEdit2 = nullptr, *MagasEdit3 = nullptr, *NagyrEdit = nullptr;
    QLabel *AoldText = nullptr, *BoldText = nullptr, *ColdText = nullptr, *SugarText = nullptr,
           *AtmeroText = nullptr, *HurText = nullptr, *IvText = nullptr, *NagyrText = nullptr,
           *MagasText1 = nullptr, *MagasText2 = nullptr, *MagasText3 = nullptr,
           *AlfaLabel = nullptr, *BetaLabel = nullptr, *GammaLabel = nullptr;
    QLabel *Fok1Text = nullptr, *Perc1Text = nullptr, *Mperc1Text = nullptr, *Fok2Text = nullptr,
           *Perc2Text = nullptr, *Mperc2Text = nullptr, *Fok3Text = nullptr, *Perc3Text = nullptr,
           *Mperc3Text = nullptr;
    QLabel *KeruletText1 = nullptr, *KeruletText2 = nullptr, *KeruletText3 = nullptr,
           *TeruletText1 = nullptr, *TeruletText2 = nullptr, *TeruletText3 = nullptr,
           *FeluletText1 = nullptr, *FeluletText2 = nullptr, *FeluletText3 = nullptr,
           *TerfogatText1 = nullptr, *TerfogatText2 = nullptr, *TerfogatText3 = nullptr,
           *TomegText1 = nullptr, *TomegText2 = nullptr, *TomegText3 = nullptr;
    QLabel *AnyagText1 = nullptr, *AnyagText2 = nullptr;
    QComboBox* AnyagComboBox = nullptr;
    QPushButton *SzamolBtn = nullptr, *NyomtatBtn = nullptr, *UjBtn = nullptr;

protected:
    void paintEvent(QPaintEvent* event) override;  // FormPaint
    void showEvent(QShowEvent* event) override;
    // Closing the main window ends the program: every other window goes with it.
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;  // FormKeyDown

private:
    void FormCreate();
    void placeCentred();
    void buildControls();
    void buildToolBar();
    void buildFigureButtons();
    void buildInputPanel();
    void buildFields();
    void buildOutputs();
    void connectHandlers();
    void setTabOrder();

    void connectToolBar();
    QWidget* secondary(QWidget*& window, const WindowMaker& make);
    void openSecondary(QWidget* window);
    void secondaryClosed();
    void showBanner(bool highlighted);
    void showMailLink(bool highlighted);
    // A banner or link without an address is plain text: no pointer, no highlight.
    bool hasWebsite() const;
    bool hasMailAddress() const;
    void showLinksAsUsable();
    void sayCannot(int text, const QString& what = QString());
    bool toolBarEvent(QObject* watched, QEvent* event);

    void EditEnter(Field field);
    void AngleEditExit(Field field);
    void AlfaEditExit() { AngleEditExit(Field::AlfaEdit); }
    void BetaEditExit() { AngleEditExit(Field::BetaEdit); }
    void GammaEditExit() { AngleEditExit(Field::GammaEdit); }
    void showFigure(ShapeKind shape);
    void clearResults();
    // Accessible names of the result boxes, the angle rows and the figure picture, from
    // the captions of the current language.
    void nameForScreenReaders();
    void showMessage(const QString& text, int kind);

    AppContext& app_;
    std::array<TFloatEdit*, kFieldCount> edits_{};
    std::array<QLabel*, kFieldCount> fieldLabels_{};
    std::array<QLabel*, kOutputCount> outputs_{};
    std::array<FigureButton*, 13> figureButtons_{};
    QButtonGroup* figureGroup_ = nullptr;
    bool activated_ = false;
    bool closing_ = false;
    QWidget* anyagForm_ = nullptr;
    QWidget* nyelvForm_ = nullptr;
    QWidget* valtForm_ = nullptr;
    WindowMaker makeAnyagForm_, makeNyelvForm_, makeValtForm_;
    QWidget* openSecondary_ = nullptr;
    QString textsLanguage_;  // the language whose texts the windows show
    bool textsShown_ = false;
    QString creationError_;  // shown once the window is up
    // The inputs of the last calculation that reached the solver; the solution window
    // runs it again with its steps when it shows them.
    std::optional<SolvedInputs> solved_;
    int solutions_ = 1;  // 2 when a second figure fits the solved values
    SolutionWindow* solutionWindow_ = nullptr;
    CalcState lastState_ = CalcState::Entering;  // of the last calculation
    JobWindow* jobWindow_ = nullptr;
    void connectJob();
    PatternWindow* patternWindow_ = nullptr;
    void connectPattern();
    void connectSolution();
    void connectZoom();
    void solutionChanged();
    void calculate(int solution);
    // The fields whose typed values did not fit, marked until the next calculation or
    // figure.
    void markReplaced(const std::vector<ReplacedValue>& replaced);

    friend class WindowFields;
};

}  // namespace mertano
