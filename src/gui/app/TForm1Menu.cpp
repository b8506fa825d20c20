#include "gui/app/TForm1.h"

#include "gui/app/UserGuide.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenuBar>

namespace murelo::gui {

namespace {

// One row of the menu: a separator when caption is null.
struct ItemInfo {
    const char* objectName;
    const char* caption;
    QKeySequence shortcut;
    QAction* TForm1::*member;
};

QAction* AddItem(QMenu* menu, TForm1* window, const ItemInfo& item) {
    QAction* action = nullptr;
    if (!item.caption) {
        action = menu->addSeparator();
    } else {
        action = menu->addAction(QString::fromLatin1(item.caption));
        action->setShortcut(item.shortcut);
        // Window-wide, so the shortcuts work wherever the pointer or focus is.
        action->setShortcutContext(Qt::WindowShortcut);
        window->addAction(action);
    }
    action->setObjectName(QString::fromLatin1(item.objectName));
    if (item.member)
        window->*item.member = action;
    return action;
}

QMenu* AddMenu(TForm1* window, const char* objectName, const char* caption,
               std::initializer_list<ItemInfo> items) {
    QMenu* menu = window->menuBar()->addMenu(QString::fromLatin1(caption));
    menu->setObjectName(QString::fromLatin1(objectName));
    menu->menuAction()->setObjectName(QString::fromLatin1(objectName));
    for (const ItemInfo& item : items)
        AddItem(menu, window, item);
    return menu;
}

} // namespace

void TForm1::createMenu() {
    using K = QKeySequence;
    File1 = AddMenu(
        this, "File1", "&File",
        {{"New1", "&New", K(Qt::CTRL | Qt::Key_N), &TForm1::New1},
         {"Open1", "&Open", K(Qt::CTRL | Qt::Key_O), &TForm1::Open1},
         {"Import1", "&Import Picture...", K(Qt::CTRL | Qt::Key_I), &TForm1::Import1},
         {"Save1", "&Save", K(Qt::CTRL | Qt::Key_S), &TForm1::Save1},
         {"SaveAs1", "Save &As", K(Qt::SHIFT | Qt::CTRL | Qt::Key_S), &TForm1::SaveAs1},
         {"SaveCons1", "Save &Consecutive", K(Qt::CTRL | Qt::ALT | Qt::Key_S), &TForm1::SaveCons1},
         {"N1", nullptr, K(), nullptr},
         {"QuickSave1", "&Quick Save", K(Qt::Key_F4), &TForm1::QuickSave1},
         {"QuickLoad1", "Quick &Load", K(Qt::Key_F3), &TForm1::QuickLoad1},
         {"N5", nullptr, K(), nullptr},
         {"Export1", "&Export", K(), &TForm1::Export1},
         {"N2", nullptr, K(), nullptr},
         {"Exit1", "E&xit", K(), &TForm1::Exit1}});
    Edit1 = AddMenu(this, "Edit1", "&Edit",
                    {{"Undo1", "&Undo", K(Qt::CTRL | Qt::Key_Z), &TForm1::Undo1},
                     {"Redo1", "&Redo", K(Qt::CTRL | Qt::Key_Y), &TForm1::Redo1},
                     {"N3", nullptr, K(), nullptr},
                     {"Copy1", "&Copy", K(Qt::CTRL | Qt::Key_C), &TForm1::Copy1},
                     {"N6", nullptr, K(), nullptr},
                     {"Settings1", "Color &Depth", K(), &TForm1::Settings1},
                     {"EditMode1", "&Edit Mode", K(), &TForm1::EditMode1}});
    // The zoom items show both keys of a step (the key texts follow the tab), and take both.
    View1 = AddMenu(
        this, "View1", "&View",
        {{"Palet1", "Tool &Palette", K(Qt::CTRL | Qt::Key_T), &TForm1::Palet1},
         {"Message1", "&Message", K(Qt::CTRL | Qt::Key_M), &TForm1::Message1},
         {"Grid1", "&Grid", K(Qt::CTRL | Qt::Key_G), &TForm1::Grid1},
         {"N7", nullptr, K(), nullptr},
         {"ZoomIn1", "Zoom &In\tPage Down, Ctrl+Num +", K(Qt::Key_PageDown), &TForm1::ZoomIn1},
         {"ZoomOut1", "Zoom &Out\tPage Up, Ctrl+Num -", K(Qt::Key_PageUp), &TForm1::ZoomOut1},
         {"ZoomFit1", "Zoom to &Fit", K(), &TForm1::ZoomFit1}});
    ZoomIn1->setShortcuts(
        {K(Qt::Key_PageDown),
         K(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Plus))});
    ZoomOut1->setShortcuts(
        {K(Qt::Key_PageUp),
         K(QKeyCombination(Qt::ControlModifier | Qt::KeypadModifier, Qt::Key_Minus))});
    Tool1 = AddMenu(this, "Tool1", "&Tool",
                    {{"ColorCheck1", "&Color Check", K(), &TForm1::ColorCheck1},
                     {"N4", nullptr, K(), nullptr},
                     {"SC1Converter1", "&Pixel Converter", K(), &TForm1::SC1Converter1}});
    Help1 = AddMenu(
        this, "Help1", "&Help",
        {{"About1", "&About...", K(), &TForm1::About1}, {"Help2", "&Help", K(), &TForm1::Help2}});

    for (QAction* check : {Palet1, Message1, Grid1})
        check->setCheckable(true);
    Palet1->setChecked(true);
    Grid1->setChecked(true);

    // Items whose windows and commands are wired by their own subsystems stay greyed
    // until then (the QAction itself, so its shortcut is off too).
    for (QAction* pending :
         {New1, Open1, Import1, Save1, SaveAs1, SaveCons1, QuickSave1, QuickLoad1, Export1, Undo1,
          Redo1, Copy1, Settings1, EditMode1, Palet1, Message1, ColorCheck1, SC1Converter1, About1})
        pending->setEnabled(false);
}

void TForm1::connectMenu() {
    connect(Exit1, &QAction::triggered, this, &QWidget::close);
    connect(Grid1, &QAction::triggered, this, [this] { Grid1Click(); });
    connect(Help2, &QAction::triggered, this, [this] { Help2Click(); });
    connectView();
}

void TForm1::Grid1Click() {
    // The action has already inverted its own check mark.
    ShowCellFrame(Grid1->isChecked());
}

void TForm1::Help2Click() {
    OpenGuide(this, programDir.isEmpty() ? QCoreApplication::applicationDirPath() : programDir);
}

} // namespace murelo::gui
