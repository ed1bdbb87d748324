quillmark-fits
50
h
7
