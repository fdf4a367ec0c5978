# One INTERFACE target with the language standard, the warnings and the common
# defines; every target of the project links it PRIVATE.
add_library(quodra_options INTERFACE)
add_library(Quodra::options ALIAS quodra_options)
target_compile_features(quodra_options INTERFACE cxx_std_20)
set(CMAKE_CXX_EXTENSIONS OFF)
target_compile_options(quodra_options INTERFACE
  $<$<CXX_COMPILER_ID:GNU,Clang>:-Wall -Wextra -Wpedantic -Wno-missing-field-initializers>
  $<$<AND:$<BOOL:${QUODRA_WERROR}>,$<CXX_COMPILER_ID:GNU,Clang>>:-Werror>
  $<$<CXX_COMPILER_ID:MSVC>:/W4 /utf-8>)
target_compile_definitions(quodra_options INTERFACE
  QT_NO_FOREACH
  QT_USE_QSTRINGBUILDER
  $<$<PLATFORM_ID:Windows>:UNICODE _UNICODE NOMINMAX>)

if(QUODRA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

# Generated header with the version and the configuration values.
configure_file(${CMAKE_CURRENT_LIST_DIR}/QuodraConfig.h.in
               ${CMAKE_BINARY_DIR}/generated/QuodraConfig.h @ONLY)
add_library(quodra_config INTERFACE)
target_include_directories(quodra_config INTERFACE ${CMAKE_BINARY_DIR}/generated)

# Copies the keyword list beside the executables in bin/.
function(quodra_copy_data target)
  add_custom_command(TARGET ${target} POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E copy_if_different
            ${QUODRA_DATA_DIR}/SQLkeywords.txt $<TARGET_FILE_DIR:${target}>/SQLkeywords.txt)
endfunction()
