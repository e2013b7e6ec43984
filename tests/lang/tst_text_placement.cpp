// SPDX-License-Identifier: GPL-3.0-or-later
// The texts put into small stand-in windows that carry the controls' object names.
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QToolButton>
#include <memory>

#include "calc/language_texts.h"
#include "lang/text_placement.h"
#include "test_main.h"

using namespace mertano;

namespace fake {
// Found by its class name, as the real angle dialog will be.
class TValtForm : public QWidget {
    Q_OBJECT
};
}  // namespace fake

namespace {

LanguageTexts Numbered() {
    LanguageTexts texts;
    for (int n = 1; n <= kLanguageTextCount; ++n) texts.set(n, "T" + std::to_string(n));
    texts.set(26, "Nyelv (Please, if you make a new language file, send my share!)");
    return texts;
}

template <class Control>
Control* Add(QWidget* parent, const char* name) {
    auto* control = new Control(parent);
    control->setObjectName(QLatin1String(name));
    return control;
}

// A main window with an angle dialog as its child window, both holding a "DecimText".
struct Windows {
    Windows() {
        main.setObjectName("TFoForm");
        Add<QToolButton>(&main, "NyelvSpBtn");
        auto* exit = new QAction(&main);
        exit->setObjectName("KilepSpBtn");
        Add<QPushButton>(&main, "SzamolBtn");
        Add<QLabel>(Add<QWidget>(&main, "AlapPanel"), "DecimText");
        Add<QLabel>(&main, "Panel1");
        valt = new fake::TValtForm;
        valt->setParent(&main, Qt::Window);
        Add<QLabel>(valt, "DecimText");
        Add<QPushButton>(valt, "KilepBtn");
        anyag.setObjectName("TAnyagForm");
        Add<QGroupBox>(&anyag, "UjGroupBox");
        Add<QPushButton>(&anyag, "KilepBtn");
        nyelv.setObjectName("TNyelvForm");
        other.setObjectName("Other");
        Add<QPushButton>(&other, "KilepBtn")->setText("untouched");
    }
    QWidget main;
    fake::TValtForm* valt = nullptr;
    QWidget anyag;
    QWidget nyelv;
    QWidget other;
};

}  // namespace

class TestTextPlacement : public QObject {
    Q_OBJECT

private slots:
    void placement_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QString>("property");
        QTest::addColumn<QString>("value");
        QTest::newRow("toolbar button hint, whole text 26")
            << "TFoForm"
            << "NyelvSpBtn"
            << "toolTip"
            << "Nyelv (Please, if you make a new language file, send my share!)";
        QTest::newRow("toolbar action hint") << "TFoForm"
                                             << "KilepSpBtn"
                                             << "toolTip"
                                             << "T3";
        QTest::newRow("button caption") << "TFoForm"
                                        << "SzamolBtn"
                                        << "text"
                                        << "T37";
        QTest::newRow("label inside a panel") << "TFoForm"
                                              << "DecimText"
                                              << "text"
                                              << "T40";
        QTest::newRow("heading") << "TFoForm"
                                 << "Panel1"
                                 << "text"
                                 << "T8";
        QTest::newRow("child window's own label") << "TValtForm"
                                                  << "DecimText"
                                                  << "text"
                                                  << "T22";
        QTest::newRow("child window's title") << "TValtForm"
                                              << ""
                                              << "windowTitle"
                                              << "T4";
        QTest::newRow("exit button of a dialog") << "TValtForm"
                                                 << "KilepBtn"
                                                 << "text"
                                                 << "T3";
        QTest::newRow("group box title") << "TAnyagForm"
                                         << "UjGroupBox"
                                         << "title"
                                         << "T70";
        QTest::newRow("materials title") << "TAnyagForm"
                                         << ""
                                         << "windowTitle"
                                         << "T69";
        QTest::newRow("language dialog title before the parenthesis") << "TNyelvForm"
                                                                      << ""
                                                                      << "windowTitle"
                                                                      << "Nyelv";
        QTest::newRow("other windows untouched") << "Other"
                                                 << "KilepBtn"
                                                 << "text"
                                                 << "untouched";
    }
    void placement() {
        QFETCH(QString, window);
        QFETCH(QString, control);
        QFETCH(QString, property);
        Windows w;
        const QList<QWidget*> all{&w.main, w.valt, &w.anyag, &w.nyelv, &w.other};
        ApplyLanguageTexts(all, Numbered());
        QWidget* target = window == "TValtForm"    ? w.valt
                          : window == "TFoForm"    ? &w.main
                          : window == "TAnyagForm" ? &w.anyag
                          : window == "TNyelvForm" ? &w.nyelv
                                                   : &w.other;
        QObject* object = control.isEmpty() ? target : nullptr;
        for (QObject* o : target->findChildren<QObject*>(control)) {
            if (!object && (!o->isWidgetType() || static_cast<QWidget*>(o)->window() == target))
                object = o;
        }
        QVERIFY(object);
        QTEST(object->property(qPrintable(property)).toString(), "value");
    }

    void missingControlsAreSkipped() {
        QWidget bare;
        bare.setObjectName("TFoForm");
        auto* only = Add<QPushButton>(&bare, "UjBtn");
        auto* textless = Add<QWidget>(&bare, "Panel1");
        ApplyLanguageTexts(&bare, Numbered());
        QCOMPARE(only->text(), QString("T25"));
        QVERIFY(textless->dynamicPropertyNames().isEmpty());
    }

    void languageDialogTitle_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("title");
        QTest::newRow("blank before parenthesis") << "Nyelv (send it!)"
                                                  << "Nyelv";
        QTest::newRow("no parenthesis") << "Language"
                                        << "Language";
        QTest::newRow("first parenthesis counts") << "Ab (c) (d)"
                                                  << "Ab";
        QTest::newRow("no blank: the character before goes too") << "Nyelv(x)"
                                                                 << "Nyel";
        QTest::newRow("parenthesis first") << "(x)"
                                           << "";
        QTest::newRow("empty") << ""
                               << "";
    }
    void languageDialogTitle() {
        QFETCH(QString, text);
        QTEST(LanguageDialogTitle(text), "title");
    }

    // Every text the program shows is either placed by the table or read where it is
    // shown; only the texts the program never shows are neither.
    void everyShownTextHasAPlace() {
        QSet<int> used(TextsReadWhenShown().begin(), TextsReadWhenShown().end());
        for (const TextPlacement& row : TextPlacements()) used.insert(row.text);
        QSet<int> unused{1, 2, 27, 28, 42, 43, 44, 45, 46, 47, 65};
        for (int n = 106; n <= 120; ++n) unused.insert(n);  // kept free
        for (int n = 1; n <= kLanguageTextCount; ++n)
            QVERIFY2(used.contains(n) != unused.contains(n), qPrintable(QString::number(n)));
    }
};

MERTANO_REGISTER_TEST(TestTextPlacement)
#include "tst_text_placement.moc"
