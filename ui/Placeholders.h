#pragma once
// The single-instance windows whose commands come in later versions. Each is
// made at start-up in its place and stays hidden; shown, it says that its
// work is not available yet.

#include <QDialog>

class TfrmPlaceholder : public QDialog {
    Q_OBJECT
public:
    TfrmPlaceholder(const QString& name, const QString& caption, int helpContext, QWidget* parent);
};

class TfrmPrintFormat : public TfrmPlaceholder {
    Q_OBJECT
public:
    explicit TfrmPrintFormat(QWidget* parent);
};
