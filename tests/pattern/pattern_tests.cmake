# SPDX-License-Identifier: GPL-3.0-or-later
# The flat patterns: their measures against the solved figures, the SVG read back by Qt's
# renderer and the DXF by ezdxf (skipped where no Python has it).
find_package(Qt6 6.4 REQUIRED COMPONENTS Gui Svg Widgets)
mertano_add_test(test_pattern GUI
  SOURCES pattern/tst_flat_pattern.cpp
  LIBS mertano_pattern calc Qt6::Gui Qt6::Svg Qt6::Widgets)
target_compile_definitions(test_pattern PRIVATE
  MERTANO_DXF_READER="${CMAKE_CURRENT_SOURCE_DIR}/pattern/read_dxf.py")

# The pattern on paper, read back from the PDF by poppler (skipped where it is missing),
# and its window.
mertano_add_test(test_pattern_print GUI
  SOURCES pattern/tst_pattern_print.cpp
  LIBS mertano_pattern_gui)
target_compile_definitions(test_pattern_print PRIVATE
  MERTANO_SOURCE_FOLDER="${PROJECT_SOURCE_DIR}")
