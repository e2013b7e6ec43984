// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The rows of a job as a table: what each piece is, what it comes to, and the two
// things a person changes in place, its count and its note. Every change is announced
// once by jobChanged(), which is when the window keeps its copy.

#include <QAbstractTableModel>
#include <vector>

#include "job/job.h"

namespace mertano {

class LanguageTexts;

// A total's volumes as the sheet and the report show them ("226194.67 mm3; 3.00 cm3"),
// and its name: the material, or the whole job's caption.
QString VolumesText(const JobTotal& total);
QString TotalName(const JobTotal& total, const LanguageTexts& texts);

class JobModel : public QAbstractTableModel {
    Q_OBJECT

public:
    enum Column {
        FigureColumn,
        ValuesColumn,
        UnitColumn,
        MaterialColumn,
        DensityColumn,
        CountColumn,
        VolumeColumn,
        MassColumn,
        TotalMassColumn,
        CostColumn,
        NoteColumn,
        ColumnCount
    };

    // `texts` stays the program's current language; languageChanged() shows it.
    explicit JobModel(const LanguageTexts& texts, QObject* parent = nullptr);

    const Job& job() const { return job_; }
    void setJob(Job job);
    // The answers for job().rows, in order, as mertano-cli --batch gives them.
    const std::vector<cli::Result>& answers() const { return answers_; }
    std::vector<JobTotal> totals() const { return JobTotals(job_, answers_); }

    // The row's index: a new one at the end, or the same piece with its count raised.
    int addRow(const JobRow& row);
    void replaceRow(int row, const JobRow& with);
    void setTitle(const QString& title);
    void setWaste(const QString& waste);
    // An empty price takes the material's price away.
    void setPrice(const QString& material, const QString& price);
    void languageChanged();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;
    bool removeRows(int row, int count, const QModelIndex& parent = {}) override;
    bool moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                  const QModelIndex& destinationParent, int destinationChild) override;

    // The figure's values as a person reads them: "r = 30.0000 mm, ma = 40.0000 mm".
    QString valuesText(int row) const;
    QString figureName(int row) const;

signals:
    void jobChanged();

private:
    void solveAll();
    void solveRow(int row);
    void rowsOfMaterialChanged(const QString& material);

    const LanguageTexts& texts_;
    Job job_;
    std::vector<cli::Result> answers_;
};

}  // namespace mertano
