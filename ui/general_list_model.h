#pragma once

#include <QAbstractListModel>
#include <QHash>
#include <QPixmap>
#include <string_view>
#include <vector>

#include "roster/bushou_manager.h"

namespace ui {

// The rows of the main list: every general of the roster in roster order but the two whose
// face is fixed, each shown with its current face's thumbnail and its name, red while the
// face differs from the one the game ships.
class GeneralListModel : public QAbstractListModel {
    Q_OBJECT
public:
    // The row's bushou record (a pointer the roster owns).
    static constexpr int kGeneralRole = Qt::UserRole + 1;

    explicit GeneralListModel(QObject* parent = nullptr);

    // Rebuilds the rows from the roster, or empties the list for none. Thumbnails are read
    // again, as a registration may have replaced one.
    void Reset(const roster::bushou_manager* generals, int edition);
    // Names, colours and faces of every row again, after faces changed in the roster.
    void RefreshRows();

    roster::bushou* GeneralAt(int row) const;
    // The text a row shows for a display name: the same characters, kept from wrapping
    // inside the "(變更)" mark.
    static QString ListText(std::wstring_view displayName);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

private:
    QPixmap Thumbnail(const roster::bushou& general) const;

    std::vector<roster::bushou*> m_generals;
    int m_edition = -1;
    // Pictures made on first use per thumbnail position; many generals share a face.
    mutable QHash<int, QPixmap> m_thumbnails;
};

}  // namespace ui
