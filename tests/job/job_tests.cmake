# SPDX-License-Identifier: GPL-3.0-or-later
# The job file and its totals, held against mertano-cli --batch reading the same file.
mertano_add_test(test_job
  SOURCES job/tst_job_file.cpp
  LIBS mertano_job)
add_executable(job_kept_helper job/job_kept_helper.cpp)
target_link_libraries(job_kept_helper PRIVATE mertano_job)
target_include_directories(job_kept_helper PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/support)
target_compile_definitions(test_job PRIVATE
  MERTANO_CLI="$<TARGET_FILE:mertano-cli>"
  JOB_KEPT_HELPER="$<TARGET_FILE:job_kept_helper>")
add_dependencies(test_job mertano-cli job_kept_helper)
