#include "ui/resultlistcatalog.h"

using namespace Qt::StringLiterals;

namespace {

using Kind = ResultMenuItem::Kind;

ResultColumn col(const char16_t *key, const char16_t *caption, int twips)
{
    return {QString::fromUtf16(key), QString::fromUtf16(caption), twips};
}

ResultMenuItem custom(const char16_t *name, const char16_t *caption)
{
    return {QString::fromUtf16(name), QString::fromUtf16(caption), Kind::Custom, 0, {}};
}

ResultMenuItem copyCell(const char16_t *name, const char16_t *caption, int subitem, const char16_t *message)
{
    return {QString::fromUtf16(name), QString::fromUtf16(caption), Kind::CopyCell, subitem,
            QString::fromUtf16(message)};
}

ResultMenuItem openCell(const char16_t *name, const char16_t *caption, int subitem)
{
    return {QString::fromUtf16(name), QString::fromUtf16(caption), Kind::OpenCell, subitem, {}};
}

// The seven eMule category lists share their shape; only the address caption
// and the menu differ.
ResultListShape emuleCategory(const char16_t *list, const char16_t *addressCaption, const char16_t *menu,
                             const char16_t *menuCaption, QList<ResultMenuItem> items)
{
    return {QString::fromUtf16(list),
            {col(u"xh", u"序号", 1235), col(u"mc", u"名称", 7056), col(u"bz", u"备注信息", 5292),
             col(u"zzdz", addressCaption, 8819)},
            QString::fromUtf16(menu), QString::fromUtf16(menuCaption), std::move(items)};
}

QList<ResultListShape> buildCatalog()
{
    const char16_t *copied = u"地址已复制!";
    return {
        {u"ListView1"_s,
         {col(u"xh", u"网盘类型", 3528), col(u"mc", u"名称", 8819), col(u"dz", u"地址", 11994)},
         u"menu"_s,
         u"程序菜单"_s,
         {custom(u"fzxx", u"复制信息"), copyCell(u"fz", u"复制链接", 2, u"链接地址已复制!"),
          openCell(u"dk", u"打开链接", 2), custom(u"dcsj", u"导出数据")}},
        {u"ListView2"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称", 8819), col(u"dx", u"大小", 2540),
          col(u"rq", u"日期", 2540), col(u"xzdz", u"种子地址", 0), col(u"fhdz", u"磁力链接", 0)},
         u"fhcd"_s,
         u"番号菜单"_s,
         {copyCell(u"fhxz", u"复制种子地址", 4, u"下载地址已复制!"),
          copyCell(u"fhbf", u"复制磁力链接", 5, u"磁力链接已复制!")}},
        {u"ListView3"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称（双击列表即可获取播放文件信息）", 12347),
          col(u"dz", u"地址", 0)},
         {},
         {},
         {}},
        {u"ListView4"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称", 8819), col(u"dx", u"大小", 2540),
          col(u"rq", u"日期", 2540), col(u"zzdz", u"种子地址", 0)},
         u"btcd"_s,
         u"BT菜单"_s,
         {copyCell(u"fzbtdz", u"复制种子地址", 4, u"种子已复制!"), custom(u"dkbtxz", u"下载视频种子")}},
        {u"ListView5"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称（双击列表可解析出种子地址）", 8819),
          col(u"zzdz", u"电影地址", 12347)},
         u"dyzymenu"_s,
         u"电影资源"_s,
         {custom(u"fzysdz22", u"复制影视地址"), custom(u"jxyszz", u"解析影视种子")}},
        emuleCategory(u"ListView6", u"电影地址", u"jdkc", u"经典库存",
                      {copyCell(u"kcfzdz", u"复制地址", 3, copied), openCell(u"ckdklj", u"打开链接", 3),
                       custom(u"kctqzz", u"提取种子"), custom(u"jdydbf", u"云端播放")}),
        emuleCategory(u"ListView7", u"音乐地址", u"yymenu", u"音乐资源",
                      {copyCell(u"yydzfz", u"复制地址", 3, copied), openCell(u"yydklj", u"打开链接", 3),
                       custom(u"yytqzz", u"提取种子")}),
        emuleCategory(u"ListView8", u"软件地址", u"rjmenu", u"软件菜单",
                      {copyCell(u"fzdzrj", u"复制地址", 3, copied), openCell(u"dkljrj", u"打开链接", 3),
                       custom(u"tqzzrj", u"提取种子")}),
        emuleCategory(u"ListView9", u"书籍地址", u"tsmenu", u"图书菜单",
                      {copyCell(u"fzdzts", u"复制地址", 3, copied), openCell(u"dkljts", u"打开链接", 3),
                       custom(u"tqzzts", u"提取种子")}),
        emuleCategory(u"ListView10", u"资源地址", u"jymenu", u"教育菜单",
                      {copyCell(u"fzdzjy", u"复制地址", 3, copied), openCell(u"dlljjy", u"打开链接", 3),
                       custom(u"tqzzjy", u"提取种子")}),
        emuleCategory(u"ListView11", u"资源地址", u"zhmenu", u"综合菜单",
                      {copyCell(u"fzdzzh", u"复制地址", 3, copied), openCell(u"dkljzh", u"打开链接", 3),
                       custom(u"tqzzzh", u"提取种子")}),
        emuleCategory(u"ListView12", u"动漫地址", u"dmmenu", u"动漫菜单",
                      {copyCell(u"fzdzdm", u"复制地址", 3, copied), openCell(u"dkljdm", u"打开链接", 3)}),
        {u"ListView13"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称(双击列表解析文件地址)", 7937),
          col(u"gx", u"更新时间", 3528), col(u"bz", u"地区分类", 2646), col(u"zzdz", u"影视地址", 0)},
         {},
         {},
         {}},
        {u"ListView14"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称（双击列表即可获取播放文件信息）", 8819),
          col(u"lmfl", u"栏目分类", 2540), col(u"dqfl", u"地区分类", 2540),
          col(u"dz", u"地址(双击列表解析获取快播文件地址)", 0)},
         {},
         {},
         {}},
        {u"ListView15"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称", 7937), col(u"bz", u"备注信息", 5292),
          col(u"zzdz", u"资源地址", 8819)},
         u"dvzycd"_s,
         u"电驴资源"_s,
         {copyCell(u"dvfz", u"复制地址", 3, copied), openCell(u"dkdv", u"打开链接", 3),
          custom(u"tqdv", u"提取种子")}},
        {u"ListView16"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称", 13229), col(u"dz", u"地址", 0)},
         {},
         {},
         {}},
        {u"ListView17"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称(双击列表打开下载地址)", 13229), col(u"fl", u"分类", 2117),
          col(u"dz", u"地址", 0)},
         {},
         {},
         {}},
        {u"ListView18"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称", 7937), col(u"dz", u"地址", 0), col(u"dx", u"大小", 3528),
          col(u"fl", u"分类", 3528)},
         {},
         {},
         {}},
        {u"ListView19"_s,
         {col(u"xh", u"序号", 1235), col(u"mc", u"名称", 5292), col(u"fb", u"发布时间", 3528),
          col(u"dx", u"文件大小", 3528), col(u"cl", u"磁力链接", 10583)},
         u"ydbmenu"_s,
         u"云点播"_s,
         {copyCell(u"ybfz", u"复制磁力链接", 4, u"磁力链接已复制!"), custom(u"ydydbf", u"在线云端播放")}},
    };
}

} // namespace

const QList<ResultListShape> &resultListShapes()
{
    static const QList<ResultListShape> catalog = buildCatalog();
    return catalog;
}

const ResultListShape *findResultListShape(const QString &name)
{
    for (const ResultListShape &shape : resultListShapes()) {
        if (shape.name == name)
            return &shape;
    }
    return nullptr;
}
