#pragma once

#include "game/controls.h"
#include "game/gamestate.h"
#include "platform/services.h"

#include <QMainWindow>
#include <memory>

class QMenu;

namespace angoli
{

class CaptionLabel;
class DrawingSurface;
class ImageSurface;
class SurfaceView;
struct FileError;

// The game window: its controls, its drawing surface and the game state,
// with one handler per event.
class Form1 : public QMainWindow
{
    Q_OBJECT
public:
    explicit Form1(const Services &services, QWidget *parent = nullptr);
    ~Form1() override;

    // Start-up, run once before the window is first shown.
    void Form_Load();

    // The quiz.
    void Command1_Click();
    void Option1_Click(int Index);
    void Option1_GotFocus(int Index);
    void Command4_Click();
    void cmdverifica_Click();

    // The clock and the end of the game.
    void Timer1_Timer();
    void Cmdexit1_Click();

    // The Help menu.
    void help_Click();
    void acuto_Click();
    void retto_Click();
    void ottuso_Click();
    void piatto_Click();
    void concavo_Click();
    void grio_Click();
    void expl_Click();

    QString GetSystemDir();
    QString Leggifiletxt(const QString &nomefile);

    // The window's outer size (frame, title and menu bar included) in twips.
    double Width();
    double Height();

    // The window's contents are made on first use (at the latest when start-up has the name).
    GameState &state() { return m_state; }
    const ControlSet &controls();
    CaptionLabel *lbl(const char *name, int index = -1);
    DrawingSurface &surface();
    const QImage &surfaceImage();
    QMenu *helpMenu();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Avviaconto();
    void build();
    void buildMenu();
    void connectControls();
    QSize outerSizePixels();
    void showDefinition(const char *item);
    void failAndEnd(const FileError &error);
    void setTotals(const QString &text);

    Services m_services;
    GameState m_state;
    SurfaceView *m_view = nullptr;
    std::unique_ptr<ControlSet> m_controls;
    std::unique_ptr<ImageSurface> m_surface;
    QMenu *m_helpMenu = nullptr;
    bool m_exiting = false; // the exit runs once, even if the clock runs out under its messages
    bool m_shownOnce = false;
};

} // namespace angoli
