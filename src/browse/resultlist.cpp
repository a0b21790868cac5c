#include "browse/resultlist.h"

namespace browse {

const LabelKind &labelKind(ListMode mode)
{
    static const LabelKind disk{songdb::DiskID, QStringLiteral("Disk Labels Found ("),
                                QStringLiteral("You have clicked Disk label item.")};
    static const LabelKind occasion{songdb::OccasionID, QStringLiteral("Occasion Labels Found ("),
                                    QStringLiteral("You have clicked Occasion label item.")};
    static const LabelKind status{songdb::StatusID, QStringLiteral("Status Labels Found ("),
                                  QStringLiteral("You have clicked Status label item.")};
    switch (mode) {
    case ListMode::OccasionLabels:
        return occasion;
    case ListMode::StatusLabels:
        return status;
    case ListMode::DiskLabels:
    case ListMode::FoundResults:
        break;
    }
    return disk;
}

bool isLabelMode(ListMode mode)
{
    return mode != ListMode::FoundResults;
}

QString allRecordsHeading(qint32 records)
{
    return QStringLiteral("Showing all records (") + QString::number(records) + QStringLiteral("):");
}

QString matchedHeading(int lines)
{
    return QStringLiteral("Matched List (") + QString::number(lines) + QStringLiteral("):");
}

QString labelHeading(ListMode mode, int lines)
{
    return labelKind(mode).heading + QString::number(lines) + QStringLiteral("):");
}

} // namespace browse
