#pragma once

// The program's message dialog: a white panel with the message in bold, "&Ok", and by kind
// "&Annuler" and a one-line input field. One form serves every message.

#include <QDialog>
#include <QImage>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <string>

#include "platform/panels.h"
#include "platform/shapedbutton.h"

// Kinds of message.
enum MessageKind : int { mkMessage = 0, mkConfirm = 1, mkInput = 2, mkConfirmAlt = 3 };

class TMessForm : public QDialog {
public:
    static constexpr int ClientWidth = 519;
    static constexpr int ButtonWidth = 119;
    static constexpr int ButtonRowHeight = 63;
    static constexpr int InputRowHeight = 41;
    static constexpr int TopMargin = 13;
    static constexpr int LineHeight = 15;

    explicit TMessForm(QWidget* parent = nullptr);

    // Prepares the form for the message and kind, shows it modally and returns 1 for "&Ok",
    // 2 for "&Annuler" or the close box. The message is Windows-1252 text.
    int ShowMessage(const std::string& message, int kind);

    // The look the main window gives the form once it exists.
    void ApplyMainWindowLook(const QImage& buttonPicture);

    // Lines the text area shows for a message, wrapped lines counted once per piece.
    int DisplayedLineCount(const QString& message) const;

    // The form's outer height and width (frame included).
    int OuterHeight() const;
    int OuterWidth() const;

    Panel* Panel1;
    Panel* Panel2;
    QPlainTextEdit* Memo1;
    Panel* Panel3;
    QLineEdit* Edit1;
    Panel* Panel4;
    ShapedButton* OK;
    ShapedButton* Annuler;

protected:
    void reject() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void LayoutPanels();
    QMargins Frame() const;
    int FrameHeight() const;
    int FrameWidth() const;

    mutable QMargins frame_;
};
