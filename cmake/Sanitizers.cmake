if(HALVREN_SANITIZE)
    set(HALVREN_SANITIZER_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    add_compile_options(${HALVREN_SANITIZER_FLAGS})
    add_link_options(${HALVREN_SANITIZER_FLAGS})
endif()

# Fuzzing builds instrument everything for coverage; only the fuzz programs link libFuzzer's main.
if(HALVREN_FUZZ)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "HALVREN_FUZZ needs clang (use the fuzz preset)")
    endif()
    add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-omit-frame-pointer)
    add_link_options(-fsanitize=address,undefined)
endif()
