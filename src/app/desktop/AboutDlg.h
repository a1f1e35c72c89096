#pragma once

#include <QDialog>

namespace Pellora::Desktop {

// "About Pellora": the product's name, version and where to get help; OK closes it.
class CAboutDlg : public QDialog {
    Q_OBJECT

public:
    explicit CAboutDlg(QWidget* parent = nullptr);
};

} // namespace Pellora::Desktop
