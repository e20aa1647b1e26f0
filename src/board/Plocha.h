#pragma once

#include "core/board/BoardRules.h"
#include "widgets/Panel.h"

#include <array>

class QLabel;
class Shape;
class TextLabel;

// The board panel "Plocha": three posts (pole, base, name plate and its
// label), the ten disks D1..D10 and the hidden disk-count label Kontrola.
// The disks' places are the game's state; disks() reads them afresh.
class BoardPanel : public Panel
{
    Q_OBJECT
public:
    explicit BoardPanel(QWidget *parent = nullptr);

    Shape *disk(int k) const { return m_disks[k - 1]; }
    Shape *pole(int post) const { return m_poles[post - 1]; }
    Shape *base(int post) const { return m_bases[post - 1]; }
    // The name plate under a post: Shape2, Shape1, Shape3 for posts 1, 2, 3.
    Shape *plate(int post) const { return m_plates[post - 1]; }
    TextLabel *plateLabel(int post) const { return m_plateLabels[post - 1]; }
    QLabel *kontrola() const { return m_kontrola; }

    Board::Disks disks() const;
    int baseLeft(int post) const;   // read from P1..P3 at the moment of asking

    // Puts the disks where the layout says and shows or hides them.
    void layOut(const Board::Layout &layout);

signals:
    // A mouse release of any button on disk k, or on a part of post p.
    void diskReleased(int k);
    void postReleased(int post);

private:
    std::array<Shape *, Board::kDisks> m_disks{};
    std::array<Shape *, 3> m_poles{};
    std::array<Shape *, 3> m_bases{};
    std::array<Shape *, 3> m_plates{};
    std::array<TextLabel *, 3> m_plateLabels{};
    QLabel *m_kontrola = nullptr;
};
