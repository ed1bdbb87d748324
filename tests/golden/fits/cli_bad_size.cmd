quillmark-fits
fifty
h
7
