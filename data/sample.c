/* sample.c - a small program for trying the editor's colouring and bracket matching */
#include <stdio.h>
#include <string.h>

#define MAX_WORD 64

static int CountWords(const char* text)
{
    int words = 0;
    int inWord = 0;
    for (; *text; ++text) {
        if (*text == ' ' || *text == '\t' || *text == '\n') {
            inWord = 0;
        } else if (!inWord) {
            inWord = 1;
            ++words;
        }
    }
    return words;
}

int main(int argc, char** argv)
{
    const char* sample = "Vok Text Editor counts these words";
    printf("%d words\n", CountWords(argc > 1 ? argv[1] : sample));
    return 0;
}
