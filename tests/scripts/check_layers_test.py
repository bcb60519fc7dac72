#!/usr/bin/env python3
"""The include-layer check flags each kind of crossing and lets the allowed includes pass; a
checker that passed everything would keep the test command green while the layers rot."""
import sys
import unittest
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
import check_layers  # noqa: E402


class LayerRules(unittest.TestCase):
    def test_allowed_includes_pass(self):
        for source, included in [
            ("base/project_settings.cpp", "base/unicode.h"),
            ("raster/specimen.cpp", "base/scan_order.h"),
            ("output/font_library.cpp", "raster/glyph_renderer.h"),  # an earlier domain folder
            ("ui/hex_edit_rules.cpp", "project/profile.h"),
            ("project/project_file.cpp", "raster/new_project.h"),
            ("jobs/specimen_job.cpp", "raster/specimen.h"),
            ("cli/cli_jobs.cpp", "jobs/jobs.h"),
            ("cli/cli_jobs.cpp", "raster/qt/qimage_png_encoder.h"),  # the picture codec
            ("app/zemtra_dialog.cpp", "ui/qt/hex_edit_widget.h"),
            ("output/qt/output_dialog.cpp", "ui/qt/dialog_builder.h"),
            ("tests/gui/main_window_test.cpp", "app/zemtra_dialog.h"),  # outside the layers
            ("app/zemtra_dialog.h", "app/settings_panel.h"),  # the window includes its parts
            ("app/zemtra_dialog_building.cpp", "app/zemtra_dialog.h"),
            ("app/zemtra_app.cpp", "app/zemtra_dialog.h"),
            ("app/font_controls.cpp", "app/project_document.h"),  # a part uses another
        ]:
            self.assertIsNone(check_layers.problem(source, included), (source, included))

    def test_each_crossing_is_named(self):
        for source, included in [
            ("base/project_settings.cpp", "raster/font_engine.h"),
            ("base/unicode.cpp", "jobs/jobs.h"),
            ("output/font_library.cpp", "jobs/jobs.h"),
            ("raster/scan_demo.h", "output/font_library.h"),  # a later domain folder: a circle
            ("project/project_file.cpp", "ui/multi_language.h"),
            ("raster/specimen.cpp", "app/zemtra_dialog.h"),
            ("project/profile.cpp", "cli/cli_options.h"),
            ("jobs/show_job.cpp", "raster/qt/qimage_picture_decoder.h"),
            ("ui/dialog_template.cpp", "ui/qt/ui_hooks.h"),
            ("output/qt/output_dialog.cpp", "app/zemtra_dialog.h"),
            ("ui/qt/about_dialog.cpp", "app/zemtra_dialog.h"),
            ("cli/main.cpp", "app/zemtra_app.h"),
            ("app/settings_panel.cpp", "app/zemtra_dialog.h"),  # a part reaching back: a circle
            ("app/window_jobs.h", "app/zemtra_dialog.h"),
        ]:
            self.assertIsNotNone(check_layers.problem(source, included), (source, included))

    def test_qt_headers_are_told_from_others(self):
        for header in ["QImage", "QtCore/QString", "QDialog"]:
            self.assertTrue(check_layers.QT_HEADER.match(header), header)
        for header in ["queue", "unicode/ucnv.h", "fontconfig/fontconfig.h"]:
            self.assertFalse(check_layers.QT_HEADER.match(header), header)

    def test_layers_of_paths(self):
        self.assertEqual(check_layers.layer("base/error.h"), "base")
        self.assertEqual(check_layers.layer("ui/hex_edit_rules.h"), "domain")
        self.assertEqual(check_layers.layer("ui/qt/hex_edit_widget.h"), "qt")
        self.assertEqual(check_layers.layer("jobs/jobs.h"), "jobs")
        self.assertIsNone(check_layers.layer("fuzz/fuzz_support.h"))


if __name__ == "__main__":
    unittest.main()
