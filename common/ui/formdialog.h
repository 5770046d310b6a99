#pragma once

#include <QDialog>

namespace lx::ui {

/// Puts a window in the middle of the free area of its screen.
void centerOnScreen(QWidget *window);

/// A window the programs show modally: centred on its screen the first time it is shown,
/// and FormShow() run under guard() each time it is shown.
class FormDialog : public QDialog
{
    Q_OBJECT
public:
    explicit FormDialog(QWidget *parent = nullptr);

protected:
    virtual void FormShow() {}
    void showEvent(QShowEvent *event) override;

private:
    bool m_centred = false;
};

} // namespace lx::ui
