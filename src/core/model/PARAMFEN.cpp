#include "PARAMFEN.h"

#include "foundation/xmlmember.h"

namespace {

constexpr int kCoordinateDecimals = 2;

PARAMFEN readWindow(pugi::xml_node record)
{
    PARAMFEN fen;
    fen.fenclass = xmlGetMutableString(record, "kind");
    fen.ID1 = xmlGetLong(record, "ID1", -1);
    fen.ID2 = xmlGetLong(record, "ID2", -1);
    fen.ID3 = xmlGetLong(record, "ID3", -1);
    fen.devise = xmlGetLong(record, "devise", 0);
    fen.x = xmlGetFloat(record, "x", 0);
    fen.y = xmlGetFloat(record, "y", 0);
    fen.width = xmlGetFloat(record, "width", 0);
    fen.height = xmlGetFloat(record, "height", 0);
    return fen;
}

bool appendWindow(pugi::xml_node list, const PARAMFEN& fen)
{
    pugi::xml_node record = xmlAppendElement(list, "record");
    if (!record)
        return false;
    bool ok = static_cast<bool>(xmlAppendString(record, "kind", fen.fenclass));
    ok = xmlAppendLong(record, "ID1", fen.ID1) && ok;
    ok = xmlAppendLong(record, "ID2", fen.ID2) && ok;
    ok = xmlAppendLong(record, "ID3", fen.ID3) && ok;
    ok = xmlAppendLong(record, "devise", fen.devise) && ok;
    ok = xmlAppendFloat(record, "x", kCoordinateDecimals, fen.x) && ok;
    ok = xmlAppendFloat(record, "y", kCoordinateDecimals, fen.y) && ok;
    ok = xmlAppendFloat(record, "width", kCoordinateDecimals, fen.width) && ok;
    ok = xmlAppendFloat(record, "height", kCoordinateDecimals, fen.height) && ok;
    return ok;
}

} // namespace

ParamFenList PARAMFEN::loadFenList(pugi::xml_node parent)
{
    ParamFenList list;
    const pugi::xml_node windows = xmlFirstElementNamed(parent, "documentWindows");
    for (pugi::xml_node record = windows.child("record"); record && list.size() < kMaxRememberedWindows;
         record = record.next_sibling("record"))
        list.append(readWindow(record));
    return list;
}

bool PARAMFEN::appendFenList(pugi::xml_node parent, const ParamFenList& fenList)
{
    pugi::xml_node windows = xmlAppendElement(parent, "documentWindows");
    if (!windows)
        return false;
    bool ok = true;
    for (const PARAMFEN& fen : fenList)
        ok = appendWindow(windows, fen) && ok;
    return ok;
}
