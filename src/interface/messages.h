#pragma once

// The texts the commands show the user in message boxes, each written once. Captions and texts
// are the system's own; two that differ only by a "!" are different messages of different
// commands and stay apart.
namespace tessaril {

// Captions.
inline constexpr const char* kPromptCaption = "提示";
inline constexpr const char* kQuestionCaption = "问题";

// The filter of every text-file picker.
inline constexpr const char* kTextFileFilter = "文本文件(*.txt)|*.txt||";

// Files.
inline constexpr const char* kNothingToSave = "没有可保存的手机号码!";
inline constexpr const char* kCannotCreateFile = "创建文件失败!";
inline constexpr const char* kCannotWriteFile = "写文件失败!";
inline constexpr const char* kCannotReadFile = "读文件失败!";
// The file tools' open failure; the list commands (import, extract, filter) show the next one.
inline constexpr const char* kCannotOpenFile = "打开文件失败!";
inline constexpr const char* kCannotOpenInput = "打开文件失败";
inline constexpr const char* kCannotOpenBlacklist = "打开黑名单文件失败!";
// Followed by the paths, one a line: results whose final name was taken by another file.
inline constexpr const char* kResultsNamedAside = "同名文件已存在，以下结果另存为:";
inline constexpr const char* kRegionFileMissing = "地区文件没有找到!";
inline constexpr const char* kHelpFileMissing = "找不到帮助文件help.txt!";
inline constexpr const char* kMergeDone = "整合完成";
// Followed by the name of the one file a comparison wrote.
inline constexpr const char* kCompareDoneOneFile = "对比完成,生成一个文件:\r\n";

// Spreadsheets.
inline constexpr const char* kSheetDamaged =
    "无法读取这个工作簿：文件已损坏，或不是 Excel 工作簿。";
inline constexpr const char* kSheetEncrypted =
    "这个工作簿设有密码，无法读取。请在 Excel 中取消密码后再导入。";
inline constexpr const char* kSheetTooLarge = "这个工作簿解压后过大，已停止读取。";
inline constexpr const char* kSheetOldFormat =
    "不支持旧的 .xls 格式。请在 Excel 中用“另存为”保存为“Excel 工作簿 (*.xlsx)”后再导入。";

// Location data (segment tables).
inline constexpr const char* kImportTitle = "更新号段数据";
inline constexpr const char* kTableFilter =
    "号段表(*.txt;*.csv;*.dll)|*.txt;*.csv;*.dll|所有文件(*.*)|*.*||";
inline constexpr const char* kNotImported = "号段数据没有更新: ";
inline constexpr const char* kNoSettingsFolder = "设置文件不在磁盘上, 无处保存号段数据";
inline constexpr const char* kSameAsShipped =
    "设置文件与程序的数据在同一文件夹, 不能替换随程序安装的号段数据";
inline constexpr const char* kTableTooLarge = "文件太大";
inline constexpr const char* kTableWithoutSegments = "文件中没有号段";
inline constexpr const char* kTableBadLines = "号段数据有误, 没有安装:";
inline constexpr const char* kCannotWriteTable = "写入号段数据失败, 仍使用原来的数据";
inline constexpr const char* kCannotRemoveTable = "删除用户的号段数据失败";
inline constexpr const char* kShippedInUse = "正在使用随程序安装的号段数据";
inline constexpr const char* kResetDone = "已恢复随程序安装的号段数据";

// Memory.
inline constexpr const char* kOutOfMemory = "内存不足，操作未完成";
inline constexpr const char* kOutOfMemoryListsCut =
    "内存不足，操作未完成，号码框内只保留到最后一条完整的号码";
inline constexpr const char* kCannotAllocate = "申请内存失败！";

// Values typed into the dialogs.
inline constexpr const char* kEnterInteger = "请输入一个整数。";
inline constexpr const char* kSegmentLengthRange = "请输入一个介于 1 和 11 之间的整数。";
inline constexpr const char* kBatchSizeZero = "最小分割单位不能为0!";
inline constexpr const char* kSegmentOnlySeven = "只能是前7位!";
inline constexpr const char* kSegmentBadBeginning = "不是指定开头字母的合理手机号码!";
inline constexpr const char* kStartNotEleven = "起始号码不是11位!";
inline constexpr const char* kEndNotEleven = "结束号码不是11位!";
inline constexpr const char* kNoSegmentChosen = "请选择要插入的号码段!";
inline constexpr const char* kChooseCity = "请选择城市";

// The file tools' selections.
inline constexpr const char* kTooManySelected = "对不起,您选择的项目太多!";
inline constexpr const char* kChooseFilesToImport = "请选择要导入的文件!";

// On line.
inline constexpr const char* kBadUrl = "非法的URL";
inline constexpr const char* kNetworkError = "网络错误";
inline constexpr const char* kNewVersionQuestion = "检测到软件有新版本，是否自动下载?";
inline constexpr const char* kLatestVersion = "您当前使用的是最新版本";

}  // namespace tessaril
