// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// Builds a sheet from "name=value" lists and checks it against "control=text" lists, so
// a figure case reads as one table row.
#include <QString>
#include <QStringList>
#include <QTest>

#include "calc/calculate.h"
#include "calc/field_sheet.h"

namespace mertano::test {

// "a=3 b=4": each value set as the numeric edit's value setter would.
// "a:=4": the raw text, as typed, without normalising.
inline void Fill(FieldSheet& sheet, const QString& inputs) {
    for (const QString& item : inputs.split(' ', Qt::SkipEmptyParts)) {
        const bool raw = item.contains(":=");
        const QStringList kv = item.split(raw ? ":=" : "=");
        const std::optional<Field> f = FieldFromValueName(kv[0].toStdString());
        QVERIFY2(f.has_value(), qPrintable("unknown field " + kv[0]));
        if (raw) {
            sheet.setFieldText(*f, kv[1].toStdString());
        } else {
            sheet.setFieldValue(*f, ReadFieldText(kv[1].toStdString()));
        }
    }
}

// The text a field or output shows, by working-value name ("a") or control name.
inline QString Shown(const FieldSheet& sheet, const QString& name) {
    if (auto f = FieldFromValueName(name.toStdString())) {
        return QString::fromStdString(sheet.fieldText(*f));
    }
    for (int k = 0; k < kOutputCount; ++k) {
        const auto o = static_cast<Output>(k);
        if (QString::fromStdString(std::string(OutputControlName(o))) == name) {
            return QString::fromStdString(sheet.output(o));
        }
    }
    return "<unknown " + name + ">";
}

// "a=3.0000;KeruletText2=12.0000;Fok1Text=  7": every entry must match exactly.
inline void Expect(const FieldSheet& sheet, const QString& expected) {
    for (const QString& item : expected.split(';', Qt::SkipEmptyParts)) {
        const qsizetype eq = item.indexOf('=');
        const QString name = item.left(eq).trimmed();
        QCOMPARE(Shown(sheet, name), item.mid(eq + 1));
    }
}

}  // namespace mertano::test
