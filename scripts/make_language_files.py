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
    ("MENU_131", "MENU_131_0", "&Project", "工程(&P)", "工程(&P)"),
    ("MENU_131", "MENU_131_32781", "&New", "新建(&N)", "新建(&N)"),
    ("MENU_131", "MENU_131_32772", "&Open", "打开(&O)", "打開(&O)"),
    ("MENU_131", "MENU_131_32774", "&Save", "保存(&S)", "保存(&S)"),
    ("MENU_131", "MENU_131_32783", "&Load Picture", "载入图片(&L)", "載入圖片(&L)"),
    ("MENU_131", "MENU_131_32788", "Export...", "导出...", "匯出..."),
    ("MENU_131", "MENU_131_32776", "&Exit", "退出(&E)", "退出(&E)"),
    ("MENU_131", "MENU_131_1", "&Language", "语言(&L)", "語言(&L)"),
    ("MENU_131", "MENU_131_2", "&Help", "帮助(&H)", "幫助(&H)"),
    ("MENU_131", "MENU_131_32778", "&About", "关于(&A)", "關於(&A)"),
    ("IDD_100", "IDD_100_Title", "About Zemtra", "关于 Zemtra", "關於 Zemtra"),
    ("IDD_100", "IDD_100_1", "OK", "确定", "確定"),
    ("IDD_129", "IDD_129_Title", "Output View", "输出查看", "輸出查看"),
    ("IDD_129", "IDD_129_2", "Cancel", "取消", "取消"),
    ("IDD_129", "IDD_129_1031", "Copy", "复制", "複製"),
    ("IDD_129", "IDD_129_1032", "Save", "保存", "保存"),
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
    ("SPECIAL_STRINGS", "IDS_EXPORT_FROM_LIST", "The character list (%1)", "字符列表 (%1)", "字元列表 (%1)"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_FROM_RANGE", "The code range (From..To)", "编码范围 (起始..结束)", "編碼範圍 (起始..結束)"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_NAME_FROM_FILE", "(from the file's name)", "(取自文件名)", "(取自檔案名稱)"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_BAD_NAME", "The name \"%1\" is not a C identifier: letters, digits and _, not a digit first, no keyword.", "名称 \"%1\" 不是 C 标识符: 只能用字母、数字和 _, 不能以数字开头, 也不能是关键字。", "名稱 \"%1\" 不是 C 識別字: 只能用字母、數字和 _, 不能以數字開頭, 也不能是關鍵字。"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_STOP", "Stop Export", "停止导出", "停止匯出"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_DONE", "Exported %1 glyphs into\\n%2\\n%3 bytes in %4 s.", "已导出 %1 个字形到\\n%2\\n%3 字节, 用时 %4 秒。", "已匯出 %1 個字形到\\n%2\\n%3 位元組, 用時 %4 秒。"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_LACKING", "%1 characters that neither the face nor a linked face has were left out: %2", "字体及其链接字体都没有的 %1 个字符已略去: %2", "字型及其連結字型都沒有的 %1 個字元已略去: %2"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_PICTURES", "The %1 picture items of the list were left out.", "列表中的 %1 个图片项已略去。", "列表中的 %1 個圖片項已略去。"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_EMPTY", "There is no character to export: the list is empty, or the code range holds no character.", "没有可导出的字符: 列表为空, 或编码范围内没有字符。", "沒有可匯出的字元: 列表為空, 或編碼範圍內沒有字元。"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_NO_GLYPHS", "No face has any of the %1 characters; nothing was written.", "没有任何字体含有这 %1 个字符; 未写入任何内容。", "沒有任何字型含有這 %1 個字元; 未寫入任何內容。"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_STOPPED", "Stopped. Nothing was written.", "已停止。未写入任何内容。", "已停止。未寫入任何內容。"),
    ("SPECIAL_STRINGS", "IDS_EXPORT_NO_DOTS", "The matrix size must be at least 1 x 1 for an export.", "导出需要至少 1 x 1 的点阵。", "匯出需要至少 1 x 1 的點陣。"),
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
