// SPDX-License-Identifier: GPL-3.0-or-later
// How long the main window takes to answer a user: a keystroke in a field, the calculate
// button, choosing a figure (the first time in a window and later), and opening and
// closing the materials dialog (the first time included). Offscreen, each action timed
// with the events it posts, medians of many windows or many repeats.
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <type_traits>
#include <vector>

#include "app/app_context.h"
#include "app/figure_button.h"
#include "app/fo_form.h"
#include "lang/language_file.h"
#include "materials/anyag_form.h"
#include "widgets/float_edit.h"

using namespace mertano;

namespace {

// The window as the program starts it: English texts from beside the program.
struct Window {
    AppContext app;
    std::unique_ptr<TFoForm> form;
    std::unique_ptr<TAnyagForm> anyag;

    Window() {
        const QString folder = QStringLiteral(MERTANO_BENCH_PROGRAM_FOLDER);
        app.values.programFolder = folder;
        app.language = LanguageState(folder, "English", ListLanguageNames(folder));
        form = std::make_unique<TFoForm>(app);
        auto make = [this]() -> QWidget* {
            anyag = std::make_unique<TAnyagForm>(app.materials, app.language.texts(), form.get());
            return anyag.get();
        };
        // The dialogs were once handed over made; now they are made on first use.
        [&](auto& f) {
            using Form = std::decay_t<decltype(f)>;
            if constexpr (std::is_invocable_v<decltype(&Form::setSecondaryWindows), Form*, QWidget*,
                                              QWidget*, QWidget*>) {
                f.setSecondaryWindows(make(), nullptr, nullptr);
            } else {
                f.setSecondaryWindows(make, {}, {});
            }
        }(*form);
        form->show();
        settle();
    }

    static void settle() {
        for (int k = 0; k < 3; ++k) QApplication::processEvents();
    }
};

double Elapsed(const std::function<void()>& action) {
    QElapsedTimer timer;
    timer.start();
    action();
    Window::settle();  // the repaints the action asked for
    return double(timer.nsecsElapsed()) / 1e6;
}

double Median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    const std::size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

void Report(const char* name, const std::vector<double>& samples) {
    const double median = Median(samples);
    std::printf("interaction: %-24s median %7.3f ms over %3zu%s\n", name, median, samples.size(),
                median < 1.0 ? "" : "   (goal: below 1 ms)");
}

QToolButton* Tool(TFoForm& form, const char* name) {
    return form.findChild<QToolButton*>(name);
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The offscreen platform's notes (no raise(), no runtime folder) would bury the figures.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    QApplication application(argc, argv);
    // The material file lives in the working folder; each run gets an empty one.
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    const int windows = argc > 1 ? std::max(1, std::atoi(argv[1])) : 25;
    const int repeats = 200;

    std::vector<double> firstSwitch, laterSwitch, keystroke, calculate, firstOpen, firstClose,
        laterOpen, laterClose;
    for (int w = 0; w < windows; ++w) {
        Window window;
        TFoForm& form = *window.form;
        firstSwitch.push_back(Elapsed(
            [&] { QTest::mouseClick(form.figureButton(ShapeKind::Triangle), Qt::LeftButton); }));
        firstOpen.push_back(Elapsed([&] { Tool(form, "AnyagSpBtn")->click(); }));
        firstClose.push_back(Elapsed([&] { window.anyag->close(); }));
    }

    Window window;
    TFoForm& form = *window.form;
    const ShapeKind shapes[] = {ShapeKind::Circle, ShapeKind::Cube, ShapeKind::Triangle,
                                ShapeKind::Sphere};
    for (int k = 0; k < repeats; ++k) {
        const ShapeKind shape = shapes[k % std::size(shapes)];
        laterSwitch.push_back(
            Elapsed([&] { QTest::mouseClick(form.figureButton(shape), Qt::LeftButton); }));
    }
    QTest::mouseClick(form.figureButton(ShapeKind::Circle), Qt::LeftButton);
    TFloatEdit* radius = form.edit(Field::SugarEdit);
    radius->setFocus();
    for (int k = 0; k < repeats; ++k) {
        keystroke.push_back(Elapsed([&] { QTest::keyClick(radius, Qt::Key_1); }));
        if (radius->text().size() > 6) {
            radius->selectAll();
            QTest::keyClick(radius, Qt::Key_2);
        }
    }
    // A calculation locks the fields, so each one starts from a freshly chosen figure.
    for (int k = 0; k < repeats; ++k) {
        QTest::mouseClick(form.figureButton(ShapeKind::Circle), Qt::LeftButton);
        radius->setFocus();
        QTest::keyClicks(radius, QString::number(k % 9 + 1));
        Window::settle();
        calculate.push_back(Elapsed([&] { form.SzamolBtn->click(); }));
    }
    for (int k = 0; k < repeats; ++k) {
        laterOpen.push_back(Elapsed([&] { Tool(form, "AnyagSpBtn")->click(); }));
        laterClose.push_back(Elapsed([&] { window.anyag->close(); }));
    }

    Report("keystroke", keystroke);
    Report("calculate", calculate);
    Report("figure switch, first", firstSwitch);
    Report("figure switch, later", laterSwitch);
    Report("materials open, first", firstOpen);
    Report("materials close, first", firstClose);
    Report("materials open, later", laterOpen);
    Report("materials close, later", laterClose);
    return 0;
}
