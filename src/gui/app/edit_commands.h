#pragma once
#include <QUndoCommand>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "model/dh_point_list.h"
#include "model/lat_lon_basis.h"
#include "model/stake_sequence.h"
#include "project/list_delta.h"
#include "project/project.h"

namespace linvara::gui {

class ProjectDocument;

// One undoable edit of the open project's list, holding what it needs to
// take itself back and do itself again. The document carries it out once
// (Do) and puts it on the history only when that succeeded and changed
// something; every step goes through the document, which stores it in one
// transaction and tells the views. A step that fails (reported already)
// leaves the history no longer matching the file: the history is dropped.
class EditCommand : public QUndoCommand {
public:
    // Carried out the first time; false when refused or failed.
    virtual bool Do() = 0;
    // Whether Do changed anything worth a place on the history.
    virtual bool Changed() const { return true; }

    void undo() final;
    void redo() final;

protected:
    EditCommand(ProjectDocument& document, const QString& text);
    virtual bool Undo() = 0;
    virtual bool Redo() = 0;

    ProjectDocument& document_;

private:
    bool done_ = true;  // pushed after Do: the first redo is that
};

// 增加点 / 插入点: the new point takes index `before` (-1: last).
class AddPointCommand : public EditCommand {
public:
    AddPointCommand(ProjectDocument& document, DHPoint point, int before, bool insert);
    bool Do() override;

private:
    bool Undo() override;
    bool Redo() override;
    DHPoint point_;
    int before_;
    RemovedPoints removed_;  // the point as undo took it out
};

// 编辑点: one point's values.
class EditPointCommand : public EditCommand {
public:
    EditPointCommand(ProjectDocument& document, DHPoint was, DHPoint edited);
    bool Do() override;

private:
    bool Undo() override;
    bool Redo() override;
    DHPoint was_, edited_;
};

// 删除点
class DeletePointsCommand : public EditCommand {
public:
    DeletePointsCommand(ProjectDocument& document, std::vector<std::string> gpsIds);
    bool Do() override;
    bool Changed() const override { return !removed_.points.empty(); }

private:
    bool Undo() override;
    bool Redo() override;
    std::vector<std::string> gpsIds_;
    RemovedPoints removed_;
};

// A command on the whole list (the same points in another order or with
// other values): the first time it runs `run` on the project in memory and
// stores the list; afterwards it keeps only the difference.
class ListCommand : public EditCommand {
public:
    using Run = std::function<void(Project&)>;
    ListCommand(ProjectDocument& document, const QString& text, Run run);
    bool Do() override;
    bool Changed() const override { return !delta_.IsEmpty(); }

protected:
    bool Undo() override;
    bool Redo() override;
    Run run_;
    ListDelta delta_;
};

// 指定J桩
class AppointJStakesCommand : public ListCommand {
public:
    AppointJStakesCommand(ProjectDocument& document, std::vector<std::string> gpsIds, DHPoint start, DHPoint end);
};

// 自动J桩排序
class AutoOrderCommand : public ListCommand {
public:
    explicit AutoOrderCommand(ProjectDocument& document);
};

// 里程排序
class MileageSortCommand : public ListCommand {
public:
    explicit MileageSortCommand(ProjectDocument& document);
};

// 移到顶端 / 向上 / 向下 / 移到底部 of one J stake. Steps of the same stake
// the same way, one after another, are one entry of the history.
class MoveJStakeCommand : public ListCommand {
public:
    // The J stake at `jRow` of the J-stake list.
    MoveJStakeCommand(ProjectDocument& document, JMove kind, int jRow);
    // The stake's row of the J-stake list afterwards, or -1.
    int Row() const { return row_; }

    int id() const override;
    bool mergeWith(const QUndoCommand* other) override;

private:
    JMove kind_;
    std::string stake_;  // GPS_ID of the stake moved
    int row_ = -1;
};

// The same points with other values worked out for them (计算经纬度: B/L
// filled in); with a coordinate system the project remembers it in the same
// transaction (undo leaves it remembered).
class ValuesCommand : public ListCommand {
public:
    ValuesCommand(ProjectDocument& document, const QString& text, const DHPointList& before, const DHPointList& after,
                  const CoordinateSystem* system);
    bool Do() override { return Redo(); }

private:
    bool Redo() override;
    std::shared_ptr<const CoordinateSystem> system_;
};

// 还原到测量数据: undo puts back every table row as it was.
class ResetCommand : public EditCommand {
public:
    explicit ResetCommand(ProjectDocument& document);
    bool Do() override { return Redo(); }

private:
    bool Undo() override;
    bool Redo() override;
    ListBackup backup_;
};

}  // namespace linvara::gui
