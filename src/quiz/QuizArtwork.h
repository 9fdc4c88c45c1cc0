#pragma once

#include <QPixmap>

// The quiz window's pictures, drawn at run time so that the program needs
// no picture files beside it and they stay sharp on high-resolution screens.
class QuizArtwork
{
public:
    // The word "Abfrage" for the top of the window, 43 pixels high.
    static QPixmap title(qreal devicePixelRatio = 1.0);
    // Button pictures in the given logical size.
    static QPixmap endWord(QSize size, qreal devicePixelRatio = 1.0);
    static QPixmap solutionWord(QSize size, qreal devicePixelRatio = 1.0);
    static QPixmap checkMark(QSize size, qreal devicePixelRatio = 1.0);
    static QPixmap cross(QSize size, qreal devicePixelRatio = 1.0);
};
