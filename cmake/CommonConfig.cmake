# Compiler settings shared by every target of the project.
add_library(sonexa_common INTERFACE)
target_compile_features(sonexa_common INTERFACE cxx_std_20)
target_compile_options(sonexa_common INTERFACE
    -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Woverloaded-virtual)
target_compile_definitions(sonexa_common INTERFACE
    QT_NO_CAST_FROM_ASCII
    QT_NO_NARROWING_CONVERSIONS_IN_CONNECT
    QT_NO_URL_CAST_FROM_STRING
    QT_NO_FOREACH)

if(SONEXA_SANITIZE)
    set(_sanitize_flags -fsanitize=${SONEXA_SANITIZE} -fno-omit-frame-pointer)
    if(SONEXA_SANITIZE MATCHES "undefined")
        list(APPEND _sanitize_flags -fno-sanitize-recover=undefined)
    endif()
    target_compile_options(sonexa_common INTERFACE ${_sanitize_flags})
    target_link_options(sonexa_common INTERFACE ${_sanitize_flags})
endif()

# Adds a static library for one layer of the program: its sources, its public include root
# (the src/ folder, so includes read "engine/VlcPlayer.h") and the shared settings.
function(sonexa_add_layer name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LINKS" ${ARGN})
    add_library(${name} STATIC ${ARG_SOURCES})
    target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
    target_link_libraries(${name} PUBLIC sonexa_common ${ARG_LINKS})
endfunction()
