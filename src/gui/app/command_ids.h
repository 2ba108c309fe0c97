#pragma once

// Command identifiers of the main window. The numbers are the resource
// identifiers the users' manuals and the toolbar sets refer to.
namespace cmd {
enum : int {
    Open = 57601,
    SaveKey = 57603,  // Ctrl+S
    Save = 57604,     // File menu and toolbar
    Exit = 57665,
    About = 57664,
    TowerBase = 32784,
    Merge = 32799,
    OrgOutputMenu = 32790,
    FileOutput = 32817,
    Options = 32787,
    ListView = 32771,
    PlanView = 32772,
    AllPoints = 32826,
    JStakeEdit = 32774,
    ZStakeEdit = 32775,
    AutoJOrder = 32827,
    MileageSort = 32776,
    OrgOutput = 32832,
    AppointJ = 32780,
    AddPoint = 32829,
    EditPoint = 32830,
    DeletePoint = 32831,
    MoveTop = 32822,
    MoveUp = 32823,
    MoveDown = 32824,
    MoveBottom = 32825,
    Center = 32785,
    PickTool = 32794,
    PanTool = 32793,
    ZoomIn = 32777,
    ZoomOut = 32778,
    PreviousView = 32781,
    NextView = 32782,
    ZoomWindow = 32786,
    Reset = 32821,
    Check = 32840,  // the check panel
    Find = 32841,   // Ctrl+F
    ZoomToSelection = 32842,
    Copy = 32843,       // the selected rows, Ctrl+C
    CopyImage = 32844,  // the plan as shown
    Reread = 32845,     // F5
    Undo = 57643,  // the framework's undo and redo ids
    Redo = 57644,
};
}  // namespace cmd
