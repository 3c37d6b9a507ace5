#pragma once
// The data-directory dialog: a drive (mounted volume) and a folder tree of it;
// the folder shown on OK is the result. Made for one use and released.

#include <QDialog>

class QComboBox;
class QFileSystemModel;
class QModelIndex;
class QShowEvent;
class QTreeView;

class TfrmDataDirectory : public QDialog {
    Q_OBJECT
public:
    explicit TfrmDataDirectory(QWidget* parent = nullptr);

    // Shows folder: its drive chosen and the folder selected in the tree.
    void SetFolder(const QString& folder);
    // The folder shown: the one SetFolder gave until the user chooses another
    // in the tree, then that one (the drive's root when none is chosen).
    QString Folder() const;

public slots:
    void cbDriveChange(int index);

protected:
    // Brings the folder to show into view once the dialog has its size.
    void showEvent(QShowEvent* event) override;

private:
    void Follow();
    void Choose(const QModelIndex& index);

    QString Target;         // the folder to show while the tree reads its way to it
    bool Following = false; // while the tree is moved by Follow, not by the user
    QComboBox* cbDrive = nullptr;
    QTreeView* dlDataDirectory = nullptr;
    QFileSystemModel* Folders = nullptr;
};
