#!/usr/bin/env python3
"""Writes the three built-in language files into resources/ (UTF-16LE, byte-order mark, CR LF).

The table below is the only source of their text; the build compiles the written files into the
program. Run it from anywhere: python3 scripts/make_language_files.py
"""
from pathlib import Path

# (section, key, English, Simplified Chinese, Traditional Chinese), in file order.
# "\\n" is the two characters \ n, which the program turns into a line break where it shows text.
TABLE = [
    ("Setting", "Language", "English", "简体中文", "繁體中文"),
    ("IDD_102", "IDD_102_Title", "Zemtra", "Zemtra", "Zemtra"),
    ("IDD_102", "IDD_102_1", "Add", "添加", "添加"),
    ("IDD_102", "IDD_102_1001", "ASCII", "ASCII", "ASCII"),
    ("IDD_102", "IDD_102_1004", "Create", "生成", "生成"),
    ("IDD_102", "IDD_102_1040", "Font", "字体", "字體"),
    ("IDD_102", "IDD_102_1041", "Scan Mode", "扫描方式", "掃描方式"),
    ("IDD_102", "IDD_102_1044", "Font Library", "字库", "字庫"),
    ("IDD_102", "IDD_102_1052", "Width:", "宽度:", "寬度:"),
    ("IDD_102", "IDD_102_1053", "Height:", "高度:", "高度:"),
    ("IDD_102", "IDD_102_1063", "From:", "起始:", "起始:"),
    ("IDD_102", "IDD_102_1064", "To:", "结束:", "結束:"),
    ("IDD_102", "IDD_102_1009", "Create", "生成", "生成"),
    ("IDD_102", "IDD_102_1016", "U", "上", "上"),
    ("IDD_102", "IDD_102_1017", "D", "下", "下"),
    ("IDD_102", "IDD_102_1018", "L", "左", "左"),
    ("IDD_102", "IDD_102_1019", "R", "右", "右"),
    ("IDD_102", "IDD_102_1020", "C", "C", "C"),
    ("IDD_102", "IDD_102_1036", "Size", "字体大小", "字體大小"),
    ("IDD_102", "IDD_102_1037", "Position", "字体位置", "字體位置"),
    ("IDD_102", "IDD_102_1058", "Show Demo", "扫描演示", "掃描演示"),
    ("IDD_102", "IDD_102_1070", "Font File...", "字体文件...", "字型檔案..."),
    ("MENU_131", "MENU_131_0", "&Project", "工程(&P)", "工程(&P)"),
    ("MENU_131", "MENU_131_32781", "&New", "新建(&N)", "新建(&N)"),
    ("MENU_131", "MENU_131_32772", "&Open", "打开(&O)", "打開(&O)"),
    ("MENU_131", "MENU_131_32774", "&Save", "保存(&S)", "保存(&S)"),
    ("MENU_131", "MENU_131_32783", "&Load Picture", "载入图片(&L)", "載入圖片(&L)"),
    ("MENU_131", "MENU_131_32776", "&Exit", "退出(&E)", "退出(&E)"),
    ("MENU_131", "MENU_131_1", "&Language", "语言(&L)", "語言(&L)"),
    ("MENU_131", "MENU_131_2", "&Help", "帮助(&H)", "幫助(&H)"),
    ("MENU_131", "MENU_131_32778", "&About", "关于(&A)", "關於(&A)"),
    ("MENU_131", "MENU_131_0_2", "&Recent", "最近打开(&R)", "最近打開(&R)"),
    ("MENU_131", "MENU_131_32786", "Save &As...", "另存为(&A)...", "另存為(&A)..."),
    ("MENU_131", "MENU_131_32785", "Specimen Sheet...", "字形样张(&M)...", "字形樣張(&M)..."),
    ("MENU_131", "MENU_131_32788", "E&xport...", "导出字体(&X)...", "匯出字型(&X)..."),
    ("MENU_131", "MENU_131_3", "&Edit", "编辑(&E)", "編輯(&E)"),
    ("MENU_131", "MENU_131_32810", "&Undo", "撤销(&U)", "復原(&U)"),
    ("MENU_131", "MENU_131_32811", "&Redo", "重做(&R)", "重做(&R)"),
    ("MENU_131", "MENU_131_32812", "&Clear", "清除(&C)", "清除(&C)"),
    ("MENU_131", "MENU_131_32813", "&Invert", "反色(&I)", "反相(&I)"),
    ("MENU_131", "MENU_131_32814", "Shift &Up", "上移(&P)", "上移(&P)"),
    ("MENU_131", "MENU_131_32815", "Shift &Down", "下移(&D)", "下移(&D)"),
    ("MENU_131", "MENU_131_32816", "Shift &Left", "左移(&L)", "左移(&L)"),
    ("MENU_131", "MENU_131_32817", "Shift &Right", "右移(&T)", "右移(&T)"),
    ("MENU_131", "MENU_131_32818", "Revert to &Font", "恢复字体字形(&F)", "恢復字型字形(&F)"),
    ("IDD_100", "IDD_100_Title", "About Zemtra", "关于 Zemtra", "關於 Zemtra"),
    ("IDD_100", "IDD_100_1", "OK", "确定", "確定"),
    ("IDD_129", "IDD_129_Title", "Output View", "输出查看", "輸出查看"),
    ("IDD_129", "IDD_129_2", "Cancel", "取消", "取消"),
    ("IDD_129", "IDD_129_1031", "Copy", "复制", "複製"),
    ("IDD_129", "IDD_129_1032", "Save", "保存", "保存"),
    ("IDD_129", "IDD_129_1033", "Verify", "校验", "校驗"),
    # Ours: the export dialog.
    ("IDD_140", "IDD_140_Title", "Export Font", "导出字体", "匯出字型"),
    ("IDD_140", "IDD_140_1080", "Format:", "格式:", "格式:"),
    ("IDD_140", "IDD_140_1082", "Bits per dot:", "每点位数:", "每點位元數:"),
    ("IDD_140", "IDD_140_1084", "Monospace: every glyph the whole matrix", "等宽: 每个字形占满整个点阵", "等寬: 每個字形佔滿整個點陣"),
    ("IDD_140", "IDD_140_1085", "Compressed bitmaps (LVGL, 2 or 4 bits)", "压缩位图 (LVGL, 2 或 4 位)", "壓縮點陣圖 (LVGL, 2 或 4 位元)"),
    ("IDD_140", "IDD_140_1086", "Name:", "名称:", "名稱:"),
    ("IDD_140", "IDD_140_1088", "Characters:", "字符:", "字元:"),
    ("IDD_140", "IDD_140_1", "OK", "确定", "確定"),
    ("IDD_140", "IDD_140_2", "Cancel", "取消", "取消"),
    ("SPECIAL_STRINGS", "IDS_ORIENT_ROW", "Row", "逐行", "逐行"),
    ("SPECIAL_STRINGS", "IDS_ORIENT_COL", "Column", "逐列", "逐列"),
    ("SPECIAL_STRINGS", "IDS_ORIENT_ROWCOL", "Row/Column", "行/列", "行/列"),
    ("SPECIAL_STRINGS", "IDS_ORIENT_COLROW", "Column/Row", "列/行", "列/行"),
    ("SPECIAL_STRINGS", "IDS_DIRECT_FORWARD", "Forward", "顺向", "順向"),
    ("SPECIAL_STRINGS", "IDS_DIRECT_BACKWARD", "Backward", "逆向", "逆向"),
    ("SPECIAL_STRINGS", "IDS_FORMAT_CATHODE", "Cathode", "阴码", "陰碼"),
    ("SPECIAL_STRINGS", "IDS_FORMAT_ANODE", "Anode", "阳码", "陽碼"),
    ("SPECIAL_STRINGS", "IDS_CLIP_SUCCESS", "Data has been successfully\\ncopied to the clipboard!",
     "数据已成功复制到剪切板!", "數據已成功複製到剪切板!"),
    ("SPECIAL_STRINGS", "IDS_CLIP_ERROR", "Open Clipboard Failed!", "打开剪切板失败!", "打開剪切板失敗!"),
    # Ours, after the keys above: the program's other texts, one key each in base/messages.cpp
    # with the same English (tests/ui/builtin_languages_test.cpp compares them).
    ("SPECIAL_STRINGS", "IDS_UNTITLED", "Untitled", "未命名", "未命名"),
    ("SPECIAL_STRINGS", "IDS_SAVE_CHANGES", "Save the changes to %1?", "是否保存对 %1 的更改?", "是否保存對 %1 的變更?"),
    ("SPECIAL_STRINGS", "IDS_BUTTON_OK", "OK", "确定", "確定"),
    ("SPECIAL_STRINGS", "IDS_BUTTON_CANCEL", "Cancel", "取消", "取消"),
    ("SPECIAL_STRINGS", "IDS_BUTTON_SAVE", "Save", "保存", "保存"),
    ("SPECIAL_STRINGS", "IDS_BUTTON_DISCARD", "Discard", "不保存", "不保存"),
    ("SPECIAL_STRINGS", "IDS_NOT_A_PROJECT", "\"%1\" is not a Zemtra project: %2.\\nNothing was changed.", "\"%1\" 不是 Zemtra 工程文件: %2。\\n没有做任何更改。", "\"%1\" 不是 Zemtra 工程檔案: %2。\\n沒有做任何變更。"),
    ("SPECIAL_STRINGS", "IDS_WHY_NO_FILE", "there is no such file", "文件不存在", "檔案不存在"),
    ("SPECIAL_STRINGS", "IDS_WHY_EMPTY_FILE", "the file is empty", "文件是空的", "檔案是空的"),
    ("SPECIAL_STRINGS", "IDS_WHY_UTF16_NO_MARK", "it looks like UTF-16 without a byte-order mark; save it with the mark FF FE", "它像是没有字节顺序标记的 UTF-16 文本; 请带标记 FF FE 保存", "它像是沒有位元組順序標記的 UTF-16 文字; 請帶標記 FF FE 儲存"),
    ("SPECIAL_STRINGS", "IDS_WHY_NO_VERSION", "it has no [Project] Version=V1.0", "其中没有 [Project] Version=V1.0", "其中沒有 [Project] Version=V1.0"),
    ("SPECIAL_STRINGS", "IDS_WHY_OTHER_VERSION", "its Version is \"%1\", not \"V1.0\"", "其 Version 为 \"%1\", 而不是 \"V1.0\"", "其 Version 為 \"%1\", 而不是 \"V1.0\""),
    ("SPECIAL_STRINGS", "IDS_PICTURES_NOT_ADDED", "These pictures were not added:\\n\\n%1", "以下图片未被添加:\\n\\n%1", "以下圖片未被加入:\\n\\n%1"),
    ("SPECIAL_STRINGS", "IDS_GLYPHS_SKIPPED", "Some hand-edited glyphs of \"%1\" cannot be read; the font draws those characters until the entries are mended:\\n\\n%2", "\"%1\" 中有些手工修改的字形无法读取; 在这些条目修正之前, 这些字符仍按字体绘制:\\n\\n%2", "\"%1\" 中有些手工修改的字形無法讀取; 在這些條目修正之前, 這些字元仍按字型繪製:\\n\\n%2"),
    ("SPECIAL_STRINGS", "IDS_STATUS_GLYPH_EDITED", "'%1' (U+%2) at %3 x %4 is a hand edit; Edit > Revert to Font brings back the font's dots.", "'%1' (U+%2) 在 %3 x %4 下是手工修改的字形; 用 编辑 > 恢复字体字形 可恢复字体的点阵。", "'%1' (U+%2) 在 %3 x %4 下是手工修改的字形; 用 編輯 > 恢復字型字形 可恢復字型的點陣。"),
    ("SPECIAL_STRINGS", "IDS_STATUS_GLYPH_EDITED_ELSEWHERE", "'%1' (U+%2) has hand edits only at other matrix sizes (%3); at %4 x %5 the font draws it.", "'%1' (U+%2) 只在其他点阵大小 (%3) 下有手工修改; 在 %4 x %5 下按字体绘制。", "'%1' (U+%2) 只在其他點陣大小 (%3) 下有手工修改; 在 %4 x %5 下按字型繪製。"),
    ("SPECIAL_STRINGS", "IDS_EDIT_ONLY_CHARACTERS", "Only a character can be edited: a picture item's dots come from its picture.", "只能编辑字符: 图片项的点阵来自其图片。", "只能編輯字元: 圖片項的點陣來自其圖片。"),
    ("SPECIAL_STRINGS", "IDS_FACE_OF_COLLECTION", "Face of the collection:", "字体集中的字体:", "字型集中的字型:"),
    ("SPECIAL_STRINGS", "IDS_NO_DOTS", "The matrix is %1 x %2 dots: it must be at least 1 x 1.", "点阵为 %1 x %2: 至少应为 1 x 1。", "點陣為 %1 x %2: 至少應為 1 x 1。"),
    ("SPECIAL_STRINGS", "IDS_EMPTY_LIST", "The character list is empty: type characters into the field under the preview and press Add, or load pictures.", "字符列表为空: 请在预览下方的输入框中输入字符并按“添加”, 或载入图片。", "字元列表為空: 請在預覽下方的輸入框中輸入字元並按「添加」, 或載入圖片。"),
    ("SPECIAL_STRINGS", "IDS_EMPTY_CODE_RANGE", "The code range holds no code; nothing was written.", "编码范围内没有编码; 未写入任何内容。", "編碼範圍內沒有編碼; 未寫入任何內容。"),
    ("SPECIAL_STRINGS", "IDS_LIBRARY_EMPTY_RANGE", "From 0x%1 and To 0x%2 hold no code (the high byte runs %3..%4, the low byte %5..%6); the library file is empty.", "起始 0x%1 与结束 0x%2 之间没有编码 (高字节 %3..%4, 低字节 %5..%6); 字库文件是空的。", "起始 0x%1 與結束 0x%2 之間沒有編碼 (高位元組 %3..%4, 低位元組 %5..%6); 字庫檔案是空的。"),
    ("SPECIAL_STRINGS", "IDS_LIBRARY_STOPPED", "Stopped. The %1 records written so far are kept in \"%2\".", "已停止。已写入的 %1 条记录保留在 \"%2\" 中。", "已停止。已寫入的 %1 筆記錄保留在 \"%2\" 中。"),
    ("SPECIAL_STRINGS", "IDS_OPEN_FILE_ERROR", "Open file error!", "打开文件出错!", "打開檔案出錯!"),
    ("SPECIAL_STRINGS", "IDS_UNEXPECTED_ERROR", "An unexpected error occurred.", "发生了意外错误。", "發生了意外錯誤。"),
    ("SPECIAL_STRINGS", "IDS_CANNOT_CREATE_FILE", "Cannot create the file \"%1\".", "无法创建文件 \"%1\"。", "無法建立檔案 \"%1\"。"),
    ("SPECIAL_STRINGS", "IDS_CANNOT_WRITE_FILE", "Cannot write the file \"%1\"; it may be incomplete.", "无法写入文件 \"%1\"; 文件可能不完整。", "無法寫入檔案 \"%1\"; 檔案可能不完整。"),
    ("SPECIAL_STRINGS", "IDS_VERIFY_CARET", "Put the caret on a line with a character's words or comment.", "请把光标放在某个字符的数据或注释所在的行上。", "請把游標放在某個字元的資料或註解所在的行上。"),
    ("SPECIAL_STRINGS", "IDS_VERIFY_CAPTION", "'%1', %2\\n%3 x %4", "'%1', %2\\n%3 x %4", "'%1', %2\\n%3 x %4"),
    ("SPECIAL_STRINGS", "IDS_FILTER_PROJECT", "Zemtra Project(*.fprj)", "Zemtra 工程(*.fprj)", "Zemtra 工程(*.fprj)"),
    ("SPECIAL_STRINGS", "IDS_FILTER_ALL", "All Files(*.*)", "所有文件(*.*)", "所有檔案(*.*)"),
    ("SPECIAL_STRINGS", "IDS_FILTER_PICTURES", "BMP JPEG JPG GIF PNG", "图片 BMP JPEG JPG GIF PNG", "圖片 BMP JPEG JPG GIF PNG"),
    ("SPECIAL_STRINGS", "IDS_FILTER_FONTS", "Font Files", "字体文件", "字型檔案"),
    ("SPECIAL_STRINGS", "IDS_FILTER_PNG", "PNG Files(*.png)", "PNG 图片(*.png)", "PNG 圖片(*.png)"),
    ("SPECIAL_STRINGS", "IDS_FILTER_DZK", "DZK Files(*.dzk)", "DZK 字库(*.dzk)", "DZK 字庫(*.dzk)"),
    ("SPECIAL_STRINGS", "IDS_FILTER_C_UTF8", "C source, UTF-8", "C 源文件, UTF-8", "C 原始碼, UTF-8"),
    ("SPECIAL_STRINGS", "IDS_FILTER_UTF16", "Unicode text (UTF-16)", "Unicode 文本 (UTF-16)", "Unicode 文字 (UTF-16)"),
    ("SPECIAL_STRINGS", "IDS_STATUS_FONTTAB", "fonttab: the ANSI code page %1 has a code for every character of the list.", "fonttab: ANSI 代码页 %1 包含列表中每个字符的编码。", "fonttab: ANSI 字碼頁 %1 包含列表中每個字元的編碼。"),
    ("SPECIAL_STRINGS", "IDS_STATUS_FONTTAB_LACKING", "fonttab: the ANSI code page %1 lacks %2 of the list's characters (%3); their codes are those of \"?\" (0x3F00) or of a look-alike.", "fonttab: ANSI 代码页 %1 缺少列表中的 %2 个字符 (%3); 它们的编码是 \"?\" (0x3F00) 或相似字符的编码。", "fonttab: ANSI 字碼頁 %1 缺少列表中的 %2 個字元 (%3); 它們的編碼是 \"?\" (0x3F00) 或相似字元的編碼。"),
    ("SPECIAL_STRINGS", "IDS_STATUS_LIBRARY", "Font library: %1 records, %2 bytes, in %3 s: %4", "字库: %1 条记录, %2 字节, 用时 %3 秒: %4", "字庫: %1 筆記錄, %2 位元組, 用時 %3 秒: %4"),
    ("SPECIAL_STRINGS", "IDS_STATUS_SPECIMEN", "Specimen sheet: %1 glyphs on %2 pages, %3 bytes, in %4 s: %5", "字形样张: %1 个字形, %2 页, %3 字节, 用时 %4 秒: %5", "字形樣張: %1 個字形, %2 頁, %3 位元組, 用時 %4 秒: %5"),
    ("SPECIAL_STRINGS", "IDS_STATUS_OPENED", "Opened %1", "已打开 %1", "已打開 %1"),
    ("SPECIAL_STRINGS", "IDS_STATUS_SAVED", "Saved %1", "已保存 %1", "已保存 %1"),
    ("SPECIAL_STRINGS", "IDS_RECENT_EMPTY", "(none)", "(无)", "(無)"),
    ("SPECIAL_STRINGS", "IDS_PRESET_NONE", "(none)", "(无)", "(無)"),
    ("SPECIAL_STRINGS", "IDS_LINK_FAILED", "Unable to open hyperlink:\\n\\n%1\\n\\nThe address is %2", "无法打开链接:\\n\\n%1\\n\\n地址是 %2", "無法打開連結:\\n\\n%1\\n\\n網址是 %2"),
    ("SPECIAL_STRINGS", "IDS_LINK_NO_BROWSER", "No program that opens web pages was found (xdg-open is missing or has no browser).", "未找到能打开网页的程序 (缺少 xdg-open 或没有浏览器)。", "未找到能打開網頁的程式 (缺少 xdg-open 或沒有瀏覽器)。"),
    ("SPECIAL_STRINGS", "IDS_LINK_ERROR_0", "The operating system is out\\nof memory or resources.", "系统内存或资源不足。", "系統記憶體或資源不足。"),
    ("SPECIAL_STRINGS", "IDS_LINK_ERROR_2", "The specified file was not found.", "找不到指定的文件。", "找不到指定的檔案。"),
    ("SPECIAL_STRINGS", "IDS_LINK_ERROR_5", "The operating system denied\\naccess to the specified file.", "系统拒绝访问指定的文件。", "系統拒絕存取指定的檔案。"),
    ("SPECIAL_STRINGS", "IDS_LINK_ERROR_8", "There was not enough memory to complete the operation.", "内存不足, 无法完成操作。", "記憶體不足, 無法完成操作。"),
    ("SPECIAL_STRINGS", "IDS_LINK_ERROR_11", "The .EXE file is invalid\\n(non-Win32 .EXE or error in .EXE image).", "程序文件无效。", "程式檔案無效。"),
    ("SPECIAL_STRINGS", "IDS_LINK_ERROR_27", "The filename association is\\nincomplete or invalid.", "文件关联不完整或无效。", "檔案關聯不完整或無效。"),
    ("SPECIAL_STRINGS", "IDS_LINK_ERROR_OTHER", "Unknown Error (%1) occurred.", "发生未知错误 (%1)。", "發生未知錯誤 (%1)。"),
    ("SPECIAL_STRINGS", "IDS_DLG_OPEN_PROJECT", "Open Project", "打开工程", "打開工程"),
    ("SPECIAL_STRINGS", "IDS_DLG_SAVE_PROJECT", "Save Project As", "工程另存为", "工程另存為"),
    ("SPECIAL_STRINGS", "IDS_DLG_LOAD_PICTURE", "Load Picture", "载入图片", "載入圖片"),
    ("SPECIAL_STRINGS", "IDS_DLG_FONT_FILE", "Font File", "字体文件", "字型檔案"),
    ("SPECIAL_STRINGS", "IDS_DLG_SAVE_OUTPUT", "Save the C Source", "保存 C 源代码", "保存 C 原始碼"),
    ("SPECIAL_STRINGS", "IDS_DLG_LIBRARY", "Save the Font Library", "保存字库", "保存字庫"),
    ("SPECIAL_STRINGS", "IDS_DLG_SPECIMEN", "Save the Specimen Sheet", "保存字形样张", "保存字形樣張"),
    ("SPECIAL_STRINGS", "IDS_DROP_UNKNOWN", "Zemtra takes projects (.fprj), pictures and font files; these are none of them:\\n\\n%1", "Zemtra 接受工程 (.fprj)、图片和字体文件; 以下文件都不是:\\n\\n%1", "Zemtra 接受工程 (.fprj)、圖片和字型檔案; 以下檔案都不是:\\n\\n%1"),
    ("SPECIAL_STRINGS", "IDS_QT_LOCALE", "en", "zh_CN", "zh_TW"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_FROM_LIST", "The character list (%1)", "字符列表 (%1)", "字元列表 (%1)"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_FROM_RANGE", "The code range (From..To)", "编码范围 (起始..结束)", "編碼範圍 (起始..結束)"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_NAME_FROM_FILE", "(from the file's name)", "(取自文件名)", "(取自檔案名稱)"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_BAD_NAME", "The name \"%1\" is not a C identifier: letters, digits and _, not a digit first, no keyword.", "名称 \"%1\" 不是 C 标识符: 只能用字母、数字和 _, 不能以数字开头, 也不能是关键字。", "名稱 \"%1\" 不是 C 識別字: 只能用字母、數字和 _, 不能以數字開頭, 也不能是關鍵字。"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_STOP", "Stop Export", "停止导出", "停止匯出"),
    ("SPECIAL_STRINGS", "IDS_STATUS_EXPORT", "Export: %1 glyphs, %2 bytes, in %3 s: %4", "导出字体: %1 个字形, %2 字节, 用时 %3 秒: %4", "匯出字型: %1 個字形, %2 位元組, 用時 %3 秒: %4"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_LACKING", "left out %1 characters that neither the face nor a linked face has: %2", "略去了字体及其链接字体都没有的 %1 个字符: %2", "略去了字型及其連結字型都沒有的 %1 個字元: %2"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_PICTURES", "left out the %1 picture items of the list", "略去了列表中的 %1 个图片项", "略去了列表中的 %1 個圖片項"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_EMPTY", "There is no character to export: the list is empty, or the code range holds no character.", "没有可导出的字符: 列表为空, 或编码范围内没有字符。", "沒有可匯出的字元: 列表為空, 或編碼範圍內沒有字元。"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_NO_GLYPHS", "No face has any of the %1 characters; nothing was written.", "没有任何字体含有这 %1 个字符; 未写入任何内容。", "沒有任何字型含有這 %1 個字元; 未寫入任何內容。"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_STOPPED", "Export stopped. Nothing was written.", "导出已停止。未写入任何内容。", "匯出已停止。未寫入任何內容。"),
    ("SPECIAL_STRINGS", "IDS_FILTER_BDF", "BDF Fonts(*.bdf)", "BDF 字体(*.bdf)", "BDF 字型(*.bdf)"),
    ("SPECIAL_STRINGS", "IDS_FILTER_C_HEADER", "C Header Files(*.h)", "C 头文件(*.h)", "C 標頭檔(*.h)"),
    ("SPECIAL_STRINGS", "IDS_FILTER_C_SOURCE", "C Source Files(*.c)", "C 源文件(*.c)", "C 原始碼檔(*.c)"),
    ("SPECIAL_STRINGS", "IDS_DLG_EXPORT", "Save the Exported Font", "保存导出的字体", "保存匯出的字型"),
]

# (resource id, file name in resources/, column of TABLE)
FILES = [
    (132, "lang_132_english.ini", 2),
    (133, "lang_133_simplified_chinese.ini", 3),
    (134, "lang_134_traditional_chinese.ini", 4),
]


def file_text(column: int) -> str:
    lines = []
    section = None
    for row in TABLE:
        if row[0] != section:
            if section is not None:
                lines.append("")  # a blank line between sections, for people who edit the files
            section = row[0]
            lines.append(f"[{section}]")
        lines.append(f"{row[1]}={row[column]}")
    return "".join(line + "\r\n" for line in lines)


def main() -> None:
    out = Path(__file__).resolve().parent.parent / "resources"
    out.mkdir(exist_ok=True)
    for _, name, column in FILES:
        data = b"\xff\xfe" + file_text(column).encode("utf-16-le")
        (out / name).write_bytes(data)
        print(f"wrote {out / name} ({len(data)} bytes)")


if __name__ == "__main__":
    main()
