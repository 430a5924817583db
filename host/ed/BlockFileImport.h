// Blocks from drawing files: which file stands for a block file name, and the loading of a
// file's model space as a block definition of the current drawing (what INSERT does the first
// time a block is asked for by its file).
#pragma once
#include "dbmain.h"

#include <string>

namespace veld::ed {

class BlockFileImport {
public:
    // The file to read for `requested` (a name or path, '\' already mapped to '/'; ".dwg" is
    // added when it has no extension), found as acedFindFile finds files. NAME.dwg is read when
    // it holds DXF; otherwise NAME.dxf beside it. "" with the reason in `error` when neither
    // can be read (a real DWG file without a DXF beside it is named as such).
    static std::string resolve(const std::string& requested, std::string& error);

    // Reads the DXF file and adds its model space to `target` as the block `name`, its base
    // point the file's $INSBASE. Layers, linetypes and text styles the entities use are added
    // when `target` lacks them. Lines, arcs, circles, polylines, points, texts and attribute
    // definitions are taken; other kinds are left out and counted in `skipped`. False with the
    // reason in `error` (nothing added) when the file cannot be read or the name is refused.
    static bool load(AcDbDatabase& target, const std::string& name, const std::string& path,
                     AcDbObjectId& blockId, int& skipped, std::string& error);
};

} // namespace veld::ed
