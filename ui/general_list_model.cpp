#include "ui/general_list_model.h"

#include <QBrush>
#include <QColor>

#include "document/thumbnail_list.h"
#include "roster/roster_table.h"
#include "ui/dib_image.h"
#include "ui/wide_text.h"

namespace ui {

GeneralListModel::GeneralListModel(QObject* parent) : QAbstractListModel(parent) {}

void GeneralListModel::Reset(const roster::bushou_manager* generals, int edition) {
    beginResetModel();
    m_generals.clear();
    m_thumbnails.clear();
    m_edition = edition;
    const int count = generals != nullptr ? generals->count() : 0;
    for (int i = 0; i < count; ++i) {
        roster::bushou* general = generals->at(i);
        if (general != nullptr && roster::FixedFaceOf(general->Code()) < 0) {
            m_generals.push_back(general);
        }
    }
    endResetModel();
}

void GeneralListModel::RefreshRows() {
    if (!m_generals.empty()) {
        emit dataChanged(index(0), index(rowCount() - 1),
                         {Qt::DisplayRole, Qt::ForegroundRole, Qt::DecorationRole});
    }
}

roster::bushou* GeneralListModel::GeneralAt(int row) const {
    if (row < 0 || row >= rowCount()) {
        return nullptr;
    }
    return m_generals[static_cast<std::size_t>(row)];
}

int GeneralListModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(m_generals.size());
}

QVariant GeneralListModel::data(const QModelIndex& index, int role) const {
    const roster::bushou* general = GeneralAt(index.row());
    if (!index.isValid() || general == nullptr) {
        return {};
    }
    switch (role) {
        case Qt::DisplayRole:
            return ListText(general->DisplayName());
        case Qt::DecorationRole:
            return Thumbnail(*general);
        case Qt::ForegroundRole: {
            const bool shipped = general->CurrentFace() == general->DefaultFace();
            return QBrush(shipped ? QColor(0, 0, 0) : QColor(255, 0, 0));
        }
        case Qt::ToolTipRole:
            return ToQString(general->Name());
        case kGeneralRole:
            return QVariant::fromValue(static_cast<void*>(GeneralAt(index.row())));
        default:
            return {};
    }
}

QPixmap GeneralListModel::Thumbnail(const roster::bushou& general) const {
    const std::int32_t position = document::ThumbnailPosition(m_edition, general.ShownFaceNumber());
    auto cached = m_thumbnails.constFind(position);
    if (cached != m_thumbnails.constEnd()) {
        return *cached;
    }
    const picture::CDIB* thumbnail = document::Thumbnails().At(position);
    QPixmap pixmap;
    if (thumbnail != nullptr) {
        pixmap = QPixmap::fromImage(DibToRgb32Image(*thumbnail));
    }
    if (pixmap.isNull()) {
        // A face without a thumbnail shows the blank one, as the list did at loading.
        pixmap = QPixmap(document::ThumbnailList::kSide, document::ThumbnailList::kSide);
        pixmap.fill(Qt::black);
    }
    m_thumbnails.insert(position, pixmap);
    return pixmap;
}

QString GeneralListModel::ListText(std::wstring_view displayName) {
    // Word joiners between the mark's characters: a wrapped name may break before "(變更)"
    // but never inside it. (Ideographs may otherwise break anywhere.)
    QString text = ToQString(displayName);
    const QString mark = ToQString(roster::kChangedMark);
    if (text.endsWith(mark)) {
        QString joined;
        for (const QChar c : mark) {
            if (!joined.isEmpty()) {
                joined += QChar(0x2060);
            }
            joined += c;
        }
        text.chop(mark.size());
        text += joined;
    }
    return text;
}

}  // namespace ui
