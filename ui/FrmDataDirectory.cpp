#include "ui/FrmDataDirectory.h"

#include "app/Shared.h"
#include "ui/Controls.h"
#include "ui/HelpViewer.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QScopedValueRollback>
#include <QShortcut>
#include <QStorageInfo>
#include <QTreeView>
#include <QVBoxLayout>

TfrmDataDirectory::TfrmDataDirectory(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmDataDirectory"));
    setWindowTitle(QStringLiteral("Data Directory"));
    setModal(true);

    auto* heading = new QLabel(QStringLiteral("Default Data Directory"), this);
    heading->setObjectName(QStringLiteral("lblHeading"));
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);

    // The drives: the file system's root first, then every other mounted
    // volume that can be read.
    cbDrive = new QComboBox(this);
    cbDrive->setObjectName(QStringLiteral("cbDrive"));
    WheelOnlyWithFocus(cbDrive);
    cbDrive->addItem(QDir::rootPath());
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        if (volume.isValid() && volume.isReady() && cbDrive->findText(volume.rootPath()) < 0) {
            cbDrive->addItem(volume.rootPath());
        }
    }
    Folders = new QFileSystemModel(this);
    Folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    Folders->setRootPath(QDir::rootPath());
    dlDataDirectory = new QTreeView(this);
    dlDataDirectory->setObjectName(QStringLiteral("dlDataDirectory"));
    dlDataDirectory->setModel(Folders);
    for (int column = 1; column < Folders->columnCount(); ++column) {
        dlDataDirectory->hideColumn(column);
    }
    dlDataDirectory->header()->hide();
    dlDataDirectory->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* driveLabel = new QLabel(QStringLiteral("&Drive"), this);
    driveLabel->setObjectName(QStringLiteral("lblDrive"));
    driveLabel->setBuddy(cbDrive);
    auto* folderLabel = new QLabel(QStringLiteral("&Folder"), this);
    folderLabel->setObjectName(QStringLiteral("lblFolder"));
    folderLabel->setBuddy(dlDataDirectory);
    QDialogButtonBox* buttons = OkCancelButtons(this);
    connect(cbDrive, &QComboBox::currentIndexChanged, this, &TfrmDataDirectory::cbDriveChange);
    // Each folder read, and each change of the rows read so far (more rows
    // from a large folder, or their sorting, which moves them), may bring the
    // folder to show nearer or move it out of view: the tree follows again.
    connect(Folders, &QFileSystemModel::directoryLoaded, this, [this] { Follow(); });
    connect(Folders, &QAbstractItemModel::rowsInserted, this, [this] { Follow(); });
    connect(Folders, &QAbstractItemModel::layoutChanged, this, [this] { Follow(); });
    // Once the user chooses another folder, opens or closes one, or picks
    // another drive, the tree follows the user.
    const auto byUser = [this] {
        if (!Following) {
            Target.clear();
        }
    };
    connect(dlDataDirectory, &QTreeView::clicked, this, byUser);
    connect(dlDataDirectory, &QTreeView::expanded, this, byUser);
    connect(dlDataDirectory, &QTreeView::collapsed, this, byUser);
    connect(dlDataDirectory->selectionModel(), &QItemSelectionModel::currentChanged, this, byUser);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(heading);
    layout->addWidget(driveLabel);
    layout->addWidget(cbDrive);
    layout->addWidget(folderLabel);
    layout->addWidget(dlDataDirectory, 1);
    layout->addWidget(buttons);
    auto* help = new QShortcut(QKeySequence::HelpContents, this);
    connect(help, &QShortcut::activated, this, [this] { ShowHelp(this, HelpDataDirectory); });
    NameControlsFromLabels(this);
    resize(420, 460);
    cbDriveChange(0);
}

void TfrmDataDirectory::cbDriveChange(int index) {
    const QString root = cbDrive->itemText(index < 0 ? 0 : index);
    dlDataDirectory->setRootIndex(Folders->index(root));
    dlDataDirectory->setCurrentIndex(Folders->index(root));
}

void TfrmDataDirectory::SetFolder(const QString& folder) {
    const QString path = QDir::cleanPath(folder);
    // The drive whose root holds the folder, the deepest one.
    int drive = 0;
    for (int i = 0; i < cbDrive->count(); ++i) {
        const QString root = cbDrive->itemText(i);
        if ((path == root ||
             path.startsWith(root.endsWith(QLatin1Char('/')) ? root : root + QLatin1Char('/'))) &&
            root.size() > cbDrive->itemText(drive).size()) {
            drive = i;
        }
    }
    cbDrive->setCurrentIndex(drive);
    cbDriveChange(drive);
    Target = path;
    Follow();
}

// The tree reads its folders a level at a time, in the background, and tells
// of each folder read and of the rows it adds or sorts in any order. So each
// time the way down from the drive's root to the folder to show is walked
// again: each folder on the way that has been read is opened, up to the
// first one not read yet (it is read when opened, and followed again then);
// at the end that folder is chosen and brought into view.
void TfrmDataDirectory::Follow() {
    if (Target.isEmpty() || Following) {
        return;
    }
    const QScopedValueRollback following(Following, true);
    QString at = QDir::cleanPath(cbDrive->currentText());
    for (;;) {
        const QModelIndex index = Folders->index(at);
        if (at == Target) {
            Choose(index);
            return;
        }
        const QString base = at.endsWith(QLatin1Char('/')) ? at : at + QLatin1Char('/');
        // Not on the way down, or not read yet.
        if (!Target.startsWith(base) || Folders->rowCount(index) == 0) {
            return;
        }
        at = base + Target.mid(base.size()).section(QLatin1Char('/'), 0, 0);
        if (at != Target) {
            dlDataDirectory->expand(Folders->index(at));
        }
    }
}

void TfrmDataDirectory::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Follow();
}

void TfrmDataDirectory::Choose(const QModelIndex& index) {
    dlDataDirectory->setCurrentIndex(index);
    dlDataDirectory->scrollTo(index, QAbstractItemView::PositionAtCenter);
}

QString TfrmDataDirectory::Folder() const {
    if (!Target.isEmpty()) {
        return Target;
    }
    const QModelIndex index = dlDataDirectory->currentIndex();
    return index.isValid() ? Folders->filePath(index) : cbDrive->currentText();
}
