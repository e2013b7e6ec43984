// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The jobs the job tests and their helper program share.
#include <QString>
#include <QStringList>
#include <initializer_list>
#include <utility>

#include "calc/field.h"
#include "job/job.h"

namespace mertano::test {

inline JobRow Piece(ShapeKind shape, std::initializer_list<std::pair<Field, const char*>> fields,
                    const char* unit, const QString& material, const char* density, int count,
                    const QString& note = {}) {
    JobRow row;
    row.shape = shape;
    for (const auto& [field, text] : fields) row.fields[FieldIndex(field)] = text;
    row.unit = QString::fromUtf8(unit);
    row.material = material;
    row.density = QString::fromUtf8(density);
    row.count = count;
    row.note = note;
    return row;
}

// A workshop's job: two materials in two units, one priced at a price whose costs land
// on halves, counts up to the largest, texts that need escaping, and a row that is not
// solved.
inline Job WorkshopJob() {
    const QString steel = QString::fromUtf8("Acél");
    const QString oak = QString::fromUtf8("Tölgy \"száraz\"");
    Job job;
    job.title = QString::fromUtf8("Műhely: \"B\" sor \\ 2");
    job.waste = QStringLiteral("2.5");
    job.prices.insert(steel, QStringLiteral("1.015"));
    job.rows = {
        Piece(ShapeKind::Cone, {{Field::SugarEdit, "3"}, {Field::MagasEdit1, "4"}}, "mm", steel,
              "7.8500", 12, QString::fromUtf8("Élezett \"A\" oldal \\ 45°")),
        Piece(ShapeKind::Cylinder, {{Field::SugarEdit, "2"}, {Field::MagasEdit1, "15"}}, "cm",
              steel, "7.8500", 40),
        Piece(ShapeKind::Cuboid,
              {{Field::AoldEdit, "30"}, {Field::BoldEdit, "40"}, {Field::ColdEdit, "500"}}, "mm",
              oak, "0.7000", 3, QStringLiteral("line\none\ttab")),
        Piece(ShapeKind::Sphere, {{Field::SugarEdit, "1.5"}}, "cm", oak, "0.7000", 7),
        Piece(ShapeKind::TruncatedCone,
              {{Field::SugarEdit, "3"}, {Field::NagyrEdit, "5"}, {Field::MagasEdit1, "4"}}, "mm",
              {}, "", 2),
        Piece(ShapeKind::Cube, {{Field::AoldEdit, "2.5"}}, "cm", steel, "7.8500", 1000000),
        // Only a radius: the calculate button stays disabled.
        Piece(ShapeKind::Cone, {{Field::SugarEdit, "3"}}, "mm", steel, "7.8500", 5),
    };
    return job;
}

// The same job `times` over, rows told apart by their notes: a larger save.
inline Job RepeatedJob(int times) {
    const Job one = WorkshopJob();
    Job job = one;
    job.rows.clear();
    for (int k = 0; k < times; ++k) {
        for (JobRow row : one.rows) {
            row.note = QStringLiteral("copy %1").arg(k);
            job.rows.append(row);
        }
    }
    return job;
}

}  // namespace mertano::test
