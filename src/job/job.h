// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// A job: the pieces a person makes, each a solved figure with its count, and what they
// come to. Its file is JSON Lines that mertano-cli --batch reads as it stands, one
// request a line, so that the command line and the job window give the same totals.

#include <QByteArray>
#include <QByteArrayView>
#include <QList>
#include <QMap>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "calc/field.h"
#include "cli/cli_run.h"
#include "shapes/shape_kind.h"

namespace mertano {

class LanguageTexts;

struct JobRow {
    ShapeKind shape = ShapeKind::Cube;
    // The typed texts with a point, as the fields were calculated from; empty: not typed.
    std::array<std::string, kFieldCount> fields{};
    QString unit = QStringLiteral("mm");
    QString material;  // empty: no material, no mass
    // The specific gravity in g/cm3 as the material file held it when the row was added
    // ("7.8500"), so the row keeps its mass when the file changes; empty without material.
    QString density;
    int count = 1;
    QString note;
    int solution = 1;  // 2: the second of two figures that fit the values ("solution")

    // The same figure, values, unit, material and density: adding it raises the count.
    bool samePiece(const JobRow& other) const;
};

struct Job {
    QString title;
    QString waste;                  // allowance in percent, a decimal text; empty: none
    QMap<QString, QString> prices;  // price of a kilogram by material, decimal texts
    QList<JobRow> rows;

    // Adds the row, or raises the count of the same piece; the row's index.
    int add(const JobRow& row);
    // The row of the same piece, or -1.
    int samePieceAt(const JobRow& row) const;
};

// A positive specific gravity stored as thousandths (as the material file and density=
// hold it) as a row keeps it: 7850 is "7.8500", as the materials dialog shows it.
QString DensityText(std::int32_t thousandths);

// The request mertano-cli --batch reads from the row's line (with the material's price).
cli::Request RequestOf(const JobRow& row, const Job& job);
// The row solved as mertano-cli --batch solves its line, totals worked out.
cli::Result Solve(const JobRow& row, const Job& job, const LanguageTexts& texts);

// ---- The file ----

// One line a row, each ending in "\n": {"figure", "fields", "unit", "material",
// "density", "price", "count", "note"}; the first line also carries the job's "title"
// and "waste" when they are set. An empty job is an empty file.
QByteArray JobBytes(const Job& job);

struct JobReadError {
    int line = 0;  // 1-based; 0 when the file itself could not be read
    QString message;
};
// Refuses the whole file at its first line that mertano-cli would refuse, or that is
// not a job line (a price differing between rows of one material counts too).
std::variant<Job, JobReadError> ReadJob(QByteArrayView bytes);
std::variant<Job, JobReadError> OpenJob(const QString& path);
// Written whole or not at all (QSaveFile); the system's words when it fails.
std::optional<QString> SaveJob(const QString& path, const Job& job);

// The current job, kept after every change in the per-user data folder.
QString KeptJobPath();
// Saves it there, the folder made when missing; the system's words when it fails.
std::optional<QString> KeepJob(const Job& job);

// ---- What it comes to ----

// Exact decimal sums, as the command line's --totals adds.
struct JobTotal {
    QString material;  // empty for the whole job
    long long pieces = 0;
    QList<QPair<QString, QString>> volumes;  // unit and total volume, units in first order
    QString mass;                            // kg, 4 decimals; empty when none
    QString cost;                            // 2 decimals; empty when none priced
    QString massWithWaste;                   // empty without a waste allowance
    QString costWithWaste;
};
// Per material in first order, then the whole job last; `answers` as Solve gives them
// for job.rows, in order. Only solved rows count.
std::vector<JobTotal> JobTotals(const Job& job, const std::vector<cli::Result>& answers);

// The command line's CSV (mertano-cli --batch --csv --totals) of the answers, cost
// columns included: what "Export as CSV" writes.
std::string JobCsv(const std::vector<cli::Result>& answers);

}  // namespace mertano
