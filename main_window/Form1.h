// The main window: eight position boxes, the compose button and the sentence.
#pragma once

#include "composer/Composer.h"

#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;

namespace main_window {

struct PositionBox;

class Form1 : public QWidget {
    Q_OBJECT
public:
    // requestAbout is what the "A lire" button asks for.
    explicit Form1(std::function<void()> requestAbout = {}, QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();
    void LatPos_Change();
    void LongPos_Change();
    void Command1_Click();
    void CmdAide_Click();

    QLineEdit* entryBox(const PositionBox& position);
    QLineEdit* box(const char* name) const;
    QLabel* label(const char* name, QRect geometry, const char* text, qreal points);

    composer::Composer composer_;
    std::function<void()> requestAbout_;

    QPushButton* CmdAide;
    // In creation order: LongPos, LatPos, LongSec, LongMin, LongDeg, LatSec, LatMin, LatDeg.
    std::vector<QLineEdit*> positionBoxes_;
    QLineEdit* LongPos;
    QLineEdit* LatPos;
    QLineEdit* TextTrame;
    QPushButton* Command1;
    QLabel* Label6;
};

} // namespace main_window
