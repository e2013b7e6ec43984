// SPDX-License-Identifier: GPL-3.0-or-later
#include "job/job_model.h"

#include <algorithm>

#include "calc/field_sheet.h"
#include "calc/language_texts.h"
#include "calc/numbers.h"
#include "calc/solution_steps.h"
#include "materials/mass.h"
#include "shapes/shape_catalogue.h"

namespace mertano {
namespace {

QString Q(const std::string& s) {
    return QString::fromStdString(s);
}

QString Caption(const LanguageTexts& texts, int n) {
    return Q(texts.text(n)).remove(QLatin1Char('&'));
}

constexpr int kHeaderTexts[JobModel::ColumnCount] = {
    kTextJobFigure,    kTextJobValues, kTextJobUnit,      kTextJobMaterial,
    kTextJobDensity,   kTextJobCount,  kTextJobVolume,    kTextJobMass,
    kTextJobTotalMass, kTextJobCost,   kTextJobNote,
};

}  // namespace

QString VolumesText(const JobTotal& total) {
    QStringList volumes;
    for (const auto& [unit, volume] : total.volumes)
        volumes << volume + ' ' + UnitLabelsFor(unit).terfogatText3;
    return volumes.join(QStringLiteral("; "));
}

QString TotalName(const JobTotal& total, const LanguageTexts& texts) {
    return total.material.isEmpty() ? Caption(texts, kTextWholeJob) : total.material;
}

JobModel::JobModel(const LanguageTexts& texts, QObject* parent)
    : QAbstractTableModel(parent), texts_(texts) {}

void JobModel::setJob(Job job) {
    beginResetModel();
    job_ = std::move(job);
    solveAll();
    endResetModel();
    emit jobChanged();
}

void JobModel::solveAll() {
    answers_.clear();
    answers_.reserve(static_cast<std::size_t>(job_.rows.size()));
    for (const JobRow& row : job_.rows) answers_.push_back(Solve(row, job_, texts_));
}

void JobModel::solveRow(int row) {
    answers_[static_cast<std::size_t>(row)] = Solve(job_.rows[row], job_, texts_);
    emit dataChanged(index(row, 0), index(row, ColumnCount - 1));
}

int JobModel::addRow(const JobRow& row) {
    // The same piece again only raises its count; a new one is announced before it is in.
    int at = job_.samePieceAt(row);
    if (at >= 0) {
        job_.add(row);
        solveRow(at);
    } else {
        at = rowCount();
        beginInsertRows({}, at, at);
        job_.add(row);
        answers_.push_back(Solve(job_.rows[at], job_, texts_));
        endInsertRows();
    }
    emit jobChanged();
    return at;
}

void JobModel::replaceRow(int row, const JobRow& with) {
    if (row < 0 || row >= rowCount()) return;
    JobRow replaced = with;
    // What the person wrote about the piece stays with it, and so does how many there are.
    replaced.note = job_.rows[row].note;
    replaced.count = job_.rows[row].count;
    job_.rows[row] = replaced;
    solveRow(row);
    emit jobChanged();
}

void JobModel::setTitle(const QString& title) {
    if (title == job_.title) return;
    job_.title = title;
    emit jobChanged();
}

void JobModel::setWaste(const QString& waste) {
    if (waste == job_.waste) return;
    job_.waste = waste;
    emit jobChanged();
}

void JobModel::setPrice(const QString& material, const QString& price) {
    if (job_.prices.value(material) == price) return;
    if (price.isEmpty()) {
        job_.prices.remove(material);
    } else {
        job_.prices.insert(material, price);
    }
    rowsOfMaterialChanged(material);
    emit jobChanged();
}

void JobModel::rowsOfMaterialChanged(const QString& material) {
    for (int r = 0; r < rowCount(); ++r) {
        if (job_.rows[r].material == material) solveRow(r);
    }
}

void JobModel::languageChanged() {
    // The answers' messages are in the language they were solved in.
    solveAll();
    emit headerDataChanged(Qt::Horizontal, 0, ColumnCount - 1);
    if (rowCount() > 0) emit dataChanged(index(0, 0), index(rowCount() - 1, ColumnCount - 1));
}

int JobModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(job_.rows.size());
}

int JobModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : ColumnCount;
}

QString JobModel::figureName(int row) const {
    const ShapeInfo& info = Shape(job_.rows[row].shape);
    const std::string& caption = texts_.text(info.captionText);
    return caption.empty() ? Q(std::string(info.defaultCaption)) : Q(caption);
}

QString JobModel::valuesText(int row) const {
    const JobRow& r = job_.rows[row];
    QStringList given;
    for (Field f : ShownFields(r.shape)) {
        const std::string& text = r.fields[FieldIndex(f)];
        if (text.empty()) continue;
        const QString unit = IsAngleField(f) ? QStringLiteral("\u00b0") : ' ' + r.unit;
        given << Q(FieldSymbol(r.shape, f)) + " = " + Q(FormatFixed(ReadFieldText(text), 4)) +
                     unit;
    }
    return given.join(QStringLiteral(", "));
}

QVariant JobModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid)) return {};
    const int row = index.row();
    const JobRow& r = job_.rows[row];
    const cli::Result& a = answers_[static_cast<std::size_t>(row)];
    const bool solved = a.state == CalcState::Solved;
    if (role == Qt::TextAlignmentRole) {
        const bool number = index.column() == DensityColumn || index.column() == CountColumn ||
                            (index.column() >= VolumeColumn && index.column() <= CostColumn);
        return QVariant::fromValue(number ? Qt::AlignRight | Qt::AlignVCenter
                                          : Qt::AlignLeft | Qt::AlignVCenter);
    }
    if (role == Qt::ToolTipRole) return solved ? QVariant() : Q(a.message);
    if (role == Qt::EditRole && index.column() == CountColumn) return r.count;
    if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
    switch (index.column()) {
        case FigureColumn:
            return figureName(row);
        case ValuesColumn:
            return valuesText(row);
        case UnitColumn:
            return r.unit;
        case MaterialColumn:
            return r.material;
        case DensityColumn:
            return r.density;
        case CountColumn:
            return QString::number(r.count);
        case VolumeColumn:
            if (!solved || !Shape(r.shape).solid) return {};
            return Q(a.sheet.output(Output::TerfogatText2)) + ' ' +
                   UnitLabelsFor(r.unit).terfogatText3;
        case MassColumn:
            return solved && !a.totalMass.empty() ? Q(a.sheet.output(Output::TomegText2))
                                                  : QVariant();
        case TotalMassColumn:
            return solved ? Q(a.totalMass) : QVariant();
        case CostColumn:
            return solved ? Q(a.totalCost) : QVariant();
        case NoteColumn:
            return r.note;
        default:
            return {};
    }
}

QVariant JobModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (role != Qt::DisplayRole) return {};
    if (orientation == Qt::Vertical) return section + 1;
    if (section < 0 || section >= ColumnCount) return {};
    return Caption(texts_, kHeaderTexts[section]);
}

Qt::ItemFlags JobModel::flags(const QModelIndex& index) const {
    if (!index.isValid() || !checkIndex(index, CheckIndexOption::IndexIsValid)) return Qt::NoItemFlags;
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == CountColumn || index.column() == NoteColumn) f |= Qt::ItemIsEditable;
    return f;
}

bool JobModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (role != Qt::EditRole || !index.isValid() || !checkIndex(index)) return false;
    JobRow& r = job_.rows[index.row()];
    if (index.column() == CountColumn) {
        bool ok = false;
        const int count = value.toInt(&ok);
        if (!ok || count < 1 || count > cli::kMaxCount) return false;
        if (count == r.count) return true;
        r.count = count;
        solveRow(index.row());
    } else if (index.column() == NoteColumn) {
        const QString note = value.toString();
        if (note == r.note) return true;
        r.note = note;
        emit dataChanged(index, index);
    } else {
        return false;
    }
    emit jobChanged();
    return true;
}

bool JobModel::removeRows(int row, int count, const QModelIndex& parent) {
    if (parent.isValid() || row < 0 || count < 1 || row + count > rowCount()) return false;
    beginRemoveRows(parent, row, row + count - 1);
    job_.rows.remove(row, count);
    answers_.erase(answers_.begin() + row, answers_.begin() + row + count);
    endRemoveRows();
    emit jobChanged();
    return true;
}

bool JobModel::moveRows(const QModelIndex& sourceParent, int sourceRow, int count,
                        const QModelIndex& destinationParent, int destinationChild) {
    if (sourceParent.isValid() || destinationParent.isValid() || count < 1 || sourceRow < 0 ||
        sourceRow + count > rowCount() || destinationChild < 0 || destinationChild > rowCount())
        return false;
    if (destinationChild >= sourceRow && destinationChild <= sourceRow + count) return false;
    if (!beginMoveRows(sourceParent, sourceRow, sourceRow + count - 1, destinationParent,
                       destinationChild))
        return false;
    const int to = destinationChild > sourceRow ? destinationChild - count : destinationChild;
    QList<JobRow> rows = job_.rows.mid(sourceRow, count);
    std::vector<cli::Result> moved(std::make_move_iterator(answers_.begin() + sourceRow),
                                   std::make_move_iterator(answers_.begin() + sourceRow + count));
    job_.rows.remove(sourceRow, count);
    answers_.erase(answers_.begin() + sourceRow, answers_.begin() + sourceRow + count);
    for (int k = 0; k < count; ++k) job_.rows.insert(to + k, rows[k]);
    answers_.insert(answers_.begin() + to, std::make_move_iterator(moved.begin()),
                    std::make_move_iterator(moved.end()));
    endMoveRows();
    emit jobChanged();
    return true;
}

}  // namespace mertano
